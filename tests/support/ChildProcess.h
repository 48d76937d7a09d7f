// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ToolRun.h"

#include <QDeadlineTimer>
#include <QThread>

#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <functional>

namespace vandrix::testing {

// Runs `body` in a forked copy of the test, for steps that would hang or end the process if the
// code under test were wrong; the status it returns is the run's exit code. One still running
// after `seconds` is killed, and the test fails at the call.
inline ToolRun RunInChild(const std::function<int()>& body, int seconds = 20, CallSite where = {}) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::_exit(body());
    }
    ToolRun run;
    int status = 0;
    pid_t waited = 0;
    const QDeadlineTimer deadline(qint64{seconds} * 1000);
    while (pid > 0 && (waited = ::waitpid(pid, &status, WNOHANG)) != pid) {
        if (waited < 0 && errno != EINTR) {
            break;
        }
        if (deadline.hasExpired()) {
            ::kill(pid, SIGKILL);
            waited = ::waitpid(pid, &status, 0);
            failAt(where,
                   QStringLiteral("forked child still running after %1 s: killed").arg(seconds));
            break;
        }
        QThread::msleep(10);
    }
    if (waited == pid && WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
    } else if (waited == pid && WIFSIGNALED(status)) {
        run.signal = WTERMSIG(status);
    }
    return run;
}

}  // namespace vandrix::testing
