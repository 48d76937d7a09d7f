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

QStringList FileListBox::fileNames() const {
    return QDir(path_).entryList(QDir::Files, QDir::Name);
}

void FileListBox::refresh() {
    clear();
    addItems(fileNames());
}

}  // namespace vandrix
