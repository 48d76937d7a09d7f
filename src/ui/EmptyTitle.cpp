// SPDX-License-Identifier: GPL-3.0-or-later
#include "EmptyTitle.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace vandrix {

namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Empties _NET_WM_NAME and WM_NAME of an X11 window.
void clearX11Title(xcb_connection_t* connection, xcb_window_t window) {
    static const xcb_atom_t netWmName = internAtom(connection, "_NET_WM_NAME");
    static const xcb_atom_t utf8String = internAtom(connection, "UTF8_STRING");
    if (netWmName != XCB_ATOM_NONE && utf8String != XCB_ATOM_NONE) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, netWmName, utf8String, 8, 0,
                            nullptr);
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(connection);
}

class EmptyTitleKeeper : public QObject {
public:
    EmptyTitleKeeper(QWidget* window, xcb_connection_t* connection)
        : QObject(window), window_(window), connection_(connection) {
        window->installEventFilter(this);
        clearIfEmpty();
    }

protected:
    // Qt sets the title properties when it creates the native window and when the title
    // changes, each time before these events arrive.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ &&
            (event->type() == QEvent::WinIdChange || event->type() == QEvent::WindowTitleChange ||
             event->type() == QEvent::Show)) {
            clearIfEmpty();
        }
        return false;
    }

private:
    void clearIfEmpty() {
        const WId id = window_->internalWinId();
        if (id != 0 && window_->isWindow() && window_->windowTitle().isEmpty()) {
            clearX11Title(connection_, static_cast<xcb_window_t>(id));
        }
    }

    QWidget* window_;
    xcb_connection_t* connection_;
};

}  // namespace

void KeepEmptyTitleEmpty(QWidget* window) {
    auto* x11 = qGuiApp == nullptr ? nullptr
                                   : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (window != nullptr && x11 != nullptr && x11->connection() != nullptr) {
        new EmptyTitleKeeper(window, x11->connection());
    }
}

}  // namespace vandrix
