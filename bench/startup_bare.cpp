// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstPaint.h"

#include <QApplication>
#include <QMainWindow>

// An empty main window of the viewer's size, ended at its first painted frame: what a window
// costs before any text is drawn.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1016, 665);
    new QuitAfterFirstPaint(window);
    window.show();
    return QApplication::exec();
}
