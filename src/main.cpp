#include "ui/Viewer.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    vandrix::Viewer viewer;
    viewer.start();
    return QApplication::exec();
}
