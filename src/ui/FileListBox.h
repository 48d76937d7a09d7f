#pragma once

#include "session/FileList.h"

#include <QListWidget>

namespace vandrix {

// The window's hidden file list: a directory (at first the current directory) and the names of
// the ordinary files in it. The names are read when asked for; the list's items are filled
// only while it is shown, so a large directory costs nothing at start-up.
class FileListBox : public QListWidget, public FileList {
    Q_OBJECT

public:
    explicit FileListBox(QWidget* parent = nullptr);

    QString path() const override { return path_; }
    bool setPath(const QString& path) override;
    QStringList fileNames() const override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();
    QString path_;
};

}  // namespace vandrix
