// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ToolRun.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QThread>

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
        server_.start(
            xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                   QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                   QStringLiteral("1280x1024x24")});
        QByteArray number;
        while (!number.contains('\n') && server_.waitForReadyRead(10000)) {
            number += server_.readAllStandardOutput();
        }
        if (!number.contains('\n')) {
            return;
        }
        display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        windowManager_.setProcessEnvironment(env);
        windowManager_.start(openbox, {});
        running_ = waitUntilManaging(env);
    }
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;
    ~XSession() {
        for (QProcess* process : {&windowManager_, &server_}) {
            if (process->state() != QProcess::NotRunning) {
                process->terminate();
                if (!process->waitForFinished(5000)) {
                    process->kill();
                    process->waitForFinished(5000);
                }
            }
        }
    }

    bool running() const { return running_; }
    // ":N", for DISPLAY.
    QString display() const { return display_; }

private:
    static bool managesAWindow(const QProcessEnvironment& env) {
        return runTool(QStringLiteral("xprop"),
                       {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST")}, 5000, {}, env)
            .out.contains("window id # 0x");
    }

    // Openbox announces itself on the root window before it handles every map request: a window
    // shown in that moment stays unmapped for good. So the session counts as running once a
    // probe window has been framed, and once that probe has gone again.
    static bool waitUntilManaging(const QProcessEnvironment& env) {
        constexpr int Attempts = 20;
        constexpr qint64 AttemptMs = 2000;
        for (int attempt = 0; attempt < Attempts; ++attempt) {
            QProcess probe;
            probe.setProcessEnvironment(env);
            probe.start(QStringLiteral("xmessage"), {QStringLiteral("probe")});
            QElapsedTimer waited;
            waited.start();
            bool managed = false;
            while (!managed && waited.elapsed() < AttemptMs &&
                   probe.state() != QProcess::NotRunning) {
                managed = managesAWindow(env);
                if (!managed) {
                    QThread::msleep(50);
                }
            }
            probe.kill();
            probe.waitForFinished(5000);
            if (managed) {
                waited.restart();
                while (managesAWindow(env)) {
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

    QProcess server_;
    QProcess windowManager_;
    QString display_;
    bool running_ = false;
};

}  // namespace vandrix::testing
