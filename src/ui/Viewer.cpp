// SPDX-License-Identifier: GPL-3.0-or-later
#include "Viewer.h"

#include "formats/ShippedFiles.h"

#include "session/Startup.h"
#include "session/UserDirectory.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace vandrix {

Viewer::Viewer()
    : directory_(settleInstalledDirectory()), form_(std::make_unique<FormMain>(state_, dialogs_)) {
    dialogs_.setParentWidget(form_.get());
}

Viewer::~Viewer() = default;

void Viewer::start(const QString& file) {
    const QString ownFileName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    // Before start-up reads anything: a signal then closes the window once it is up.
    termination_ = std::make_unique<GracefulTermination>([this] { closeOnSignal(); });
    Main(state_, *form_, dialogs_, ownFileName);
    dialogs_.messageBoxes(directory_.messages);
    if (!file.isEmpty()) {
        form_->openFile(file);
    }
    // A signal during start-up may have closed the window inside a dialog's loop, before the
    // program's own loop ran, so that closing it did not end the program.
    if (signalled_ && !form_->isVisible()) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
    }
}

// Installed, the program runs in a program directory of each user's own, laid out at the first
// start; from a build tree or a copy it runs where it was started, as it always has.
UserDirectory Viewer::settleInstalledDirectory() {
    const QString share = InstalledShareDir();
    if (share.isEmpty()) {
        return {};
    }
    UserDirectory settled = SettleUserDirectory(share, LanguageForLocale(QLocale::system()));
    if (!settled.path.isEmpty()) {
        QDir::setCurrent(settled.path);
    }
    return settled;
}

void Viewer::closeOnSignal() {
    signalled_ = true;
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
