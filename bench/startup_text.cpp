// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstPaint.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

// The floor of any program that shows text: a main window of the viewer's size painting one
// label of Japanese text in the viewer's face, ended at its first painted frame.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* label = new QLabel(QStringLiteral("翼型 データ ビューア"), &window);
    label->setFont(QFont(QStringLiteral("IPAPMincho"), 12));
    window.setCentralWidget(label);
    window.resize(1016, 665);
    new QuitAfterFirstPaint(window);
    window.show();
    return QApplication::exec();
}
