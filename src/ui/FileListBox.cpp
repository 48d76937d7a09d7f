// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileListBox.h"

#include <QDir>
#include <QFileInfo>

namespace vandrix {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent), path_(QDir::currentPath()) {}

bool FileListBox::setPath(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isDir()) {
        return false;
    }
    path_ = QDir::cleanPath(QDir(path).absolutePath());
    return true;
}

}  // namespace vandrix
