// SPDX-License-Identifier: GPL-3.0-or-later
#include "Viewer.h"

#include "formats/ShippedFiles.h"

#include "session/Startup.h"
#include "session/UserDirectory.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace vandrix {

Viewer::Viewer()
    : directoryProblem_(settleInstalledDirectory()),
      form_(std::make_unique<FormMain>(state_, dialogs_)) {
    dialogs_.setParentWidget(form_.get());
}

Viewer::~Viewer() = default;

void Viewer::start(const QString& file) {
    const QString ownFileName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    // Before start-up reads anything: a signal then closes the window once it is up.
    termination_ = std::make_unique<GracefulTermination>([this] { closeOnSignal(); });
    Main(state_, *form_, dialogs_, ownFileName);
    if (!directoryProblem_.isEmpty()) {
        dialogs_.messageBox(directoryProblem_);
    }
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
// start; from a build tree or a copy it runs where it was started, as it always has. Gives what
// the user must be told, once the window is up.
QString Viewer::settleInstalledDirectory() {
    const QString share = InstalledShareDir();
    if (share.isEmpty()) {
        return {};
    }
    const std::int16_t language = LanguageForLocale(QLocale::system());
    // Without either variable Qt answers a directory under the root ("//.local/share").
    const bool noHome =
        qEnvironmentVariableIsEmpty("XDG_DATA_HOME") && qEnvironmentVariableIsEmpty("HOME");
    const QString dataHome =
        noHome ? QString() : QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QString runIn = dataHome + QLatin1String("/vandrix");
    QString problem = dataHome.isEmpty() ? QStringLiteral(
                                               "There is no data directory for a program directory "
                                               "(neither XDG_DATA_HOME nor HOME is set).")
                                         : PrepareUserDirectory(runIn, share, language);
    if (!problem.isEmpty()) {
        // This run still works, on a temporary program directory.
        standIn_ = std::make_unique<QTemporaryDir>();
        runIn = standIn_->path();
        if (!standIn_->isValid() || !PrepareUserDirectory(runIn, share, language).isEmpty()) {
            runIn.clear();
        }
        problem += QLatin1String(" Settings will not be kept after this run.");
    }
    if (!runIn.isEmpty()) {
        QDir::setCurrent(runIn);
    }
    return problem;
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
