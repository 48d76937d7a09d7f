// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileList.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace vandrix {

namespace {

// The name with the case of every letter turned over, or empty when it has no letters.
QString otherCase(const QString& name) {
    QString turned = name;
    bool changed = false;
    for (QChar& c : turned) {
        const QChar upper = c.toUpper();
        const QChar other = upper != c ? upper : c.toLower();
        changed = changed || other != c;
        c = other;
    }
    return changed ? turned : QString();
}

}  // namespace

FileList::FileList() : path_(QDir::currentPath()) {}

Status FileList::setPath(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isDir()) {
        return Status::failure(QStringLiteral("%1 is no directory").arg(path));
    }
    path_ = QDir::cleanPath(QDir(path).absolutePath());
    return Status::success();
}

bool FileList::DirectoryHoldsFile(const QString& dir, const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')) || name.contains(QLatin1Char('/'))) {
        return false;
    }
    const QDir directory(dir);
    if (!QFileInfo(directory.filePath(name)).isFile()) {
        return false;
    }
    // On a file system that ignores letter case the look-up also finds a name that differs in
    // case. A name with its case turned over that finds nothing shows that this one does not;
    // otherwise the names themselves decide.
    const QString turned = otherCase(name);
    if (turned.isEmpty() || !QFileInfo::exists(directory.filePath(turned))) {
        return true;
    }
    QDirIterator it(dir, QDir::Files);
    while (it.hasNext()) {
        it.next();
        if (it.fileName() == name) {
            return true;
        }
    }
    return false;
}

}  // namespace vandrix
