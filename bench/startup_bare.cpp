#include <QApplication>
#include <QMainWindow>
#include <QTimer>

// The reference: an empty Qt main window of the same size, shown and closed the same way.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1016, 665);
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
