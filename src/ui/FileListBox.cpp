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
    if (isVisible()) {
        refresh();
    }
    return true;
}

QStringList FileListBox::fileNames() const {
    return QDir(path_).entryList(QDir::Files, QDir::Name);
}

void FileListBox::showEvent(QShowEvent* event) {
    refresh();
    QListWidget::showEvent(event);
}

void FileListBox::refresh() {
    clear();
    addItems(fileNames());
}

}  // namespace vandrix
