#include "ui/Viewer.h"

#include <QApplication>
#include <QTimer>

// The viewer's start-up, ended as soon as the event loop has shown the window.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vandrix::Viewer viewer;
    viewer.start();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
