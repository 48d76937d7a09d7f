// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScriptedDialogs.h"
#include "ui/FormMain.h"

#include <QApplication>
#include <QTest>

#include <memory>

namespace vandrix::testing {

// Waits until no top-level widget is left, so that one test function's windows and dialogs
// never leak into the next; false when some are still there.
[[nodiscard]] inline bool allWindowsClosed() {
    return QTest::qWaitFor([] { return QApplication::topLevelWidgets().isEmpty(); });
}

// The real window over its own state with scripted dialogs. A test sets `state` first, then
// open() builds, loads and shows the window; close() tears it down, waits for every window to
// be gone and leaves a fresh state for the next open().
class WindowFixture {
public:
    WindowFixture() = default;
    Q_DISABLE_COPY_MOVE(WindowFixture)

    AppState state;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<FormMain> form;

    // `setUp` runs on the built window before Form_Load.
    template <typename SetUp>
    void open(SetUp setUp) {
        dialogs = std::make_unique<ScriptedDialogs>();
        form = std::make_unique<FormMain>(state, *dialogs);
        setUp(*form);
        form->Form_Load();
        form->show();
    }
    void open() {
        open([](FormMain&) {});
    }

    [[nodiscard]] bool close() {
        form.reset();
        dialogs.reset();
        state = AppState();
        return allWindowsClosed();
    }

    template <typename T = QWidget>
    T* child(const QString& name) const {
        return form->findChild<T*>(name);
    }
};

}  // namespace vandrix::testing
