// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace vandrix {

// Keeps the title the window system shows for `window` empty while the window's title is
// empty. Qt's X11 platform shows the program's name in place of an empty title; the title
// properties are cleared again each time Qt sets them. Elsewhere it does nothing.
void KeepEmptyTitleEmpty(QWidget* window);

}  // namespace vandrix
