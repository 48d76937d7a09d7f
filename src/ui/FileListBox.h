// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "session/FileList.h"

#include <QListWidget>

namespace vandrix {

// The window's hidden file list: a directory, at first the current one. It is never shown, so
// it never lists the directory; start-up only asks it whether a file is there.
class FileListBox : public QListWidget, public FileList {
    Q_OBJECT

public:
    explicit FileListBox(QWidget* parent = nullptr);
};

}  // namespace vandrix
