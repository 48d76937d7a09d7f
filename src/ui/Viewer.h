#pragma once

#include "app/AppState.h"
#include "ui/FormMain.h"
#include "ui/GracefulTermination.h"
#include "ui/QtDialogs.h"

#include <memory>

namespace vandrix {

// The running program: the run's state, the Qt dialogs and the main window, wired together.
class Viewer {
public:
    Viewer();
    Viewer(const Viewer&) = delete;
    Viewer& operator=(const Viewer&) = delete;
    Viewer(Viewer&&) = delete;
    Viewer& operator=(Viewer&&) = delete;
    ~Viewer();

    // Start-up, from loading the window to the language step. Afterwards a termination
    // signal closes the window as its close box would.
    void start();

    FormMain& window() { return *form_; }
    AppState& state() { return state_; }

private:
    void closeOnSignal();

    AppState state_;
    QtDialogs dialogs_;
    std::unique_ptr<FormMain> form_;
    std::unique_ptr<GracefulTermination> termination_;
};

}  // namespace vandrix
