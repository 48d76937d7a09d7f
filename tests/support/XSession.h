// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QThread>

namespace vandrix::testing {

// A private X server (Xvfb on a free display) with the openbox window manager, for tests that
// look at windows as the window system shows them. Not running where Xvfb or openbox is missing.
class XSession {
public:
    XSession() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (xvfb.isEmpty() || openbox.isEmpty()) {
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
        // Running once it has announced itself on the root window.
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 10000) {
            QProcess probe;
            probe.setProcessEnvironment(env);
            probe.start(QStringLiteral("xprop"),
                        {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
            probe.waitForFinished(5000);
            if (probe.readAllStandardOutput().contains("window id")) {
                running_ = true;
                return;
            }
            QThread::msleep(50);
        }
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
    QProcess server_;
    QProcess windowManager_;
    QString display_;
    bool running_ = false;
};

}  // namespace vandrix::testing
