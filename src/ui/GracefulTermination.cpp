// SPDX-License-Identifier: GPL-3.0-or-later
#include "GracefulTermination.h"

#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>
#include <array>
#include <csignal>

namespace vandrix {

namespace {

// The signal handler may only write to this socket; the event loop reads the other end.
std::array<int, 2> signalSockets = {-1, -1};

constexpr std::array<int, 3> HandledSignals = {SIGTERM, SIGINT, SIGHUP};

// A program that does not get back to its event loop (a blocked system call, a long
// computation) still ends this long after the signal, as the signal's default action.
constexpr unsigned FallbackSeconds = 2;

volatile std::sig_atomic_t receivedSignal = 0;

extern "C" void onFallbackAlarm(int /*signal*/) {
    ::signal(receivedSignal, SIG_DFL);
    ::raise(receivedSignal);
}

extern "C" void onTerminationSignal(int signal) {
    if (receivedSignal == 0) {
        receivedSignal = signal;
        ::alarm(FallbackSeconds);
    }
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
}

}  // namespace

GracefulTermination::GracefulTermination(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSockets.data()) != 0) {
        return;  // signals keep their default action
    }
    notifier_ = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &GracefulTermination::handle);

    struct sigaction fallback = {};
    fallback.sa_handler = onFallbackAlarm;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(SIGALRM, &fallback, nullptr);
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : HandledSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

GracefulTermination::~GracefulTermination() {
    for (const int signal : HandledSignals) {
        ::signal(signal, SIG_DFL);
    }
    ::alarm(0);
    ::signal(SIGALRM, SIG_DFL);
    receivedSignal = 0;
    for (int& fd : signalSockets) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
}

void GracefulTermination::handle() {
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(signalSockets[1], &byte, 1);
    onSignal_();
}

}  // namespace vandrix
