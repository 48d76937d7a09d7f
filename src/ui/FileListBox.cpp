// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileListBox.h"

namespace vandrix {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {}

}  // namespace vandrix
