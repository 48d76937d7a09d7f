#include "Viewer.h"

#include "app/Startup.h"

#include <QApplication>
#include <QFileInfo>

namespace vandrix {

Viewer::Viewer() : form_(std::make_unique<FormMain>(state_, dialogs_)) {
    dialogs_.setParentWidget(form_.get());
}

Viewer::~Viewer() = default;

void Viewer::start() {
    const QString ownFileName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    Main(state_, *form_, dialogs_, ownFileName);
    termination_ = std::make_unique<GracefulTermination>([this] { closeOnSignal(); });
}

void Viewer::closeOnSignal() {
    // Dialogs that are open give way first; the window closes once their loops have returned.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        if (QApplication::activeModalWidget() == modal) {
            break;
        }
    }
    QMetaObject::invokeMethod(form_.get(), "close", Qt::QueuedConnection);
}

}  // namespace vandrix
