// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestFiles.h"
#include "ToolRun.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

namespace vandrix::testing {

// A folder of its own in which vandrix-export (VANDRIX_EXPORT_COMMAND) runs as a user runs it
// there, without a display; paths are the folder's.
class ExportFolder {
public:
    QString path(const QString& name) const { return dir_.filePath(name); }

    // Writes an input, in a folder of its own when the name has one.
    bool write(const QString& name, const QByteArray& bytes) {
        inputs_ << name;
        return QDir(dir_.path()).mkpath(QFileInfo(name).path()) && writeFile(path(name), bytes);
    }

    bool link(const QString& target, const QString& name) {
        inputs_ << name;
        return QFile::link(path(target), path(name));
    }

    ToolRun run(const QStringList& arguments, const QByteArray& input = {}) const {
        return runTool({.program = QStringLiteral(VANDRIX_EXPORT_COMMAND),
                        .arguments = arguments,
                        .workDir = dir_.path(),
                        .unsetEnv = {QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("DISPLAY")},
                        .input = input});
    }

    // The files the runs left beside the inputs, sorted.
    QStringList written() const {
        QStringList files;
        for (QDirIterator it(dir_.path(), QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();) {
            const QString name = QDir(dir_.path()).relativeFilePath(it.next());
            if (!inputs_.contains(name)) {
                files << name;
            }
        }
        files.sort();
        return files;
    }

private:
    QTemporaryDir dir_;
    QStringList inputs_;
};

}  // namespace vandrix::testing
