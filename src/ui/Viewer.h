// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FormMain.h"
#include "GracefulTermination.h"
#include "QtDialogs.h"
#include "session/AppState.h"
#include "session/UserDirectory.h"

#include <QString>

#include <memory>

namespace vandrix {

// The running program: the run's state, the Qt dialogs and the main window, wired together.
class Viewer {
public:
    Viewer();
    ~Viewer();
    Q_DISABLE_COPY_MOVE(Viewer)

    // Start-up, from loading the window to the language step; then `file`, when one is named,
    // is opened as if chosen in the open-file dialog. From the first step on, a termination
    // signal closes the window as its close box would, once start-up has shown it.
    void start(const QString& file = {});

    FormMain& window() { return *form_; }
    AppState& state() { return state_; }

private:
    static UserDirectory settleInstalledDirectory();
    void closeOnSignal();

    // Settled before the window exists, so that its file list starts in the program directory;
    // what the user must be told about it is told once the window is up.
    UserDirectory directory_;
    AppState state_;
    QtDialogs dialogs_;
    std::unique_ptr<FormMain> form_;
    std::unique_ptr<GracefulTermination> termination_;
    bool signalled_ = false;
};

}  // namespace vandrix
