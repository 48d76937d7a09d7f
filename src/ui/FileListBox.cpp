#include "FileListBox.h"

#include <QDir>
#include <QFileInfo>

namespace vandrix {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent), path_(QDir::currentPath()) {
    refresh();
}

bool FileListBox::setPath(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isDir()) {
        return false;
    }
    path_ = QDir::cleanPath(QDir(path).absolutePath());
    refresh();
    return true;
}

namespace {

QStringList ordinaryFiles(const QString& path) {
    return QDir(path).entryList(QDir::Files, QDir::Name);
}

}  // namespace

QStringList FileListBox::fileNames() const {
    return ordinaryFiles(path_);
}

void FileListBox::refresh() {
    clear();
    addItems(ordinaryFiles(path_));
}

}  // namespace vandrix
