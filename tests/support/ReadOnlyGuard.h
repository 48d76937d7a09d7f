// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ToolRun.h"

#include <QFile>
#include <QString>

#include <unistd.h>

namespace vandrix::testing {

// Makes a file or directory unwritable for this process while it lives: by permissions for an
// ordinary user, by the immutable attribute for root (whom permissions do not stop).
class ReadOnlyGuard {
public:
    explicit ReadOnlyGuard(QString path) : path_(std::move(path)) {
        if (::geteuid() == 0) {
            active_ =
                runTool(QStringLiteral("chattr"), {QStringLiteral("+i"), path_}).exitCode == 0;
        } else {
            saved_ = QFile::permissions(path_);
            active_ = QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner);
        }
    }
    ReadOnlyGuard(const ReadOnlyGuard&) = delete;
    ReadOnlyGuard& operator=(const ReadOnlyGuard&) = delete;
    ~ReadOnlyGuard() {
        if (!active_) {
            return;
        }
        if (::geteuid() == 0) {
            runTool(QStringLiteral("chattr"), {QStringLiteral("-i"), path_});
        } else {
            QFile::setPermissions(path_, saved_);
        }
    }
    // False where the file system cannot make it read-only (the test should skip).
    bool active() const { return active_; }

private:
    QString path_;
    QFile::Permissions saved_;
    bool active_ = false;
};

}  // namespace vandrix::testing
