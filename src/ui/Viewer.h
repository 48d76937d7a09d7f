#pragma once

#include "app/AppState.h"
#include "ui/FormMain.h"
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

    // Start-up: loads and shows the window.
    void start();

    FormMain& window() { return *form_; }
    AppState& state() { return state_; }

private:
    AppState state_;
    QtDialogs dialogs_;
    std::unique_ptr<FormMain> form_;
};

}  // namespace vandrix
