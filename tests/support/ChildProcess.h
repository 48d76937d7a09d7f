// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <functional>

namespace vandrix::testing {

// Runs `body` in a forked copy of the test and gives the status it returned, or -1 when it
// did not end within `seconds` (it is then ended by SIGALRM), ended by any other signal or could
// not be waited for. For steps that would hang if the code under test were wrong: a hang fails
// the test, it does not stall the suite.
inline int RunInChild(const std::function<int()>& body, unsigned seconds = 20) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(seconds);
        ::_exit(body());
    }
    if (pid < 0) {
        return -1;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace vandrix::testing
