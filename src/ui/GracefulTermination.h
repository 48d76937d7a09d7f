// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace vandrix {

// Turns SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C in a terminal) into an ordinary
// close of the program from the event loop, so that shut-down runs and settings are saved. Two
// seconds after the signal the program ends as the signal would end it, whatever it is doing.
class GracefulTermination : public QObject {
    Q_OBJECT

public:
    explicit GracefulTermination(std::function<void()> onSignal, QObject* parent = nullptr);
    Q_DISABLE_COPY_MOVE(GracefulTermination)
    ~GracefulTermination() override;

private:
    void handle();

    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vandrix
