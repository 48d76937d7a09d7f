// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstPaint.h"
#include "ui/Viewer.h"

#include <QApplication>

// The viewer's start-up, ended at the first painted frame of its window.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vandrix::Viewer viewer;
    new QuitAfterFirstPaint(viewer.window());
    viewer.start();
    return QApplication::exec();
}
