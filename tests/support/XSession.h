// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ToolRun.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QString>
#include <QThread>

#include <optional>

namespace vandrix::testing {

// A private X server (Xvfb on a free display) with the openbox window manager, for tests that
// look at windows as the window system shows them. Not running where Xvfb, openbox or xmessage
// (x11-utils) is missing.
class XSession {
public:
    XSession() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (xvfb.isEmpty() || openbox.isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("xmessage")).isEmpty()) {
            return;
        }
        // Xvfb picks a free display and writes its number to standard output.
        server_.emplace(Tool{.program = xvfb,
                             .arguments = {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                           QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                           QStringLiteral("-screen"), QStringLiteral("0"),
                                           QStringLiteral("1280x1024x24")}});
        const QByteArray number = server_->outputWith("\n", 10000);
        if (number.isEmpty()) {
            return;
        }
        display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
        windowManager_.emplace(Tool{.program = openbox, .setEnv = onDisplay()});
        running_ = waitUntilManaging();
    }
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;
    ~XSession() = default;  // the window manager stops first, then the server

    bool running() const { return running_; }
    // ":N", for DISPLAY.
    QString display() const { return display_; }

private:
    QList<std::pair<QString, QString>> onDisplay() const { return {{"DISPLAY", display_}}; }

    bool managesAWindow() const {
        return runTool({.program = QStringLiteral("xprop"),
                        .arguments = {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST")},
                        .setEnv = onDisplay(),
                        .timeoutMs = 5000})
            .out.contains("window id # 0x");
    }

    // Openbox announces itself on the root window before it handles every map request: a window
    // shown in that moment stays unmapped for good. So the session counts as running once a
    // probe window has been framed, and once that probe has gone again.
    bool waitUntilManaging() const {
        constexpr int Attempts = 20;
        constexpr qint64 AttemptMs = 2000;
        for (int attempt = 0; attempt < Attempts; ++attempt) {
            RunningTool probe({.program = QStringLiteral("xmessage"),
                               .arguments = {"probe"},
                               .setEnv = onDisplay()});
            QElapsedTimer waited;
            waited.start();
            bool managed = false;
            while (!managed && waited.elapsed() < AttemptMs && probe.running()) {
                managed = managesAWindow();
                if (!managed) {
                    QThread::msleep(50);
                }
            }
            probe.stop();
            if (managed) {
                waited.restart();
                while (managesAWindow()) {
                    if (waited.elapsed() > AttemptMs) {
                        return false;
                    }
                    QThread::msleep(50);
                }
                return true;
            }
        }
        return false;
    }

    std::optional<RunningTool> server_;
    std::optional<RunningTool> windowManager_;
    QString display_;
    bool running_ = false;
};

}  // namespace vandrix::testing
