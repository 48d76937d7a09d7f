// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFiles.h"

#include <unistd.h>
#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>

namespace vandrix {

namespace {

// One temporary file per worker at a time; far more held than any machine has cores.
constexpr std::size_t SlotCount = 1024;

enum SlotState : int { Free, Filling, Held };

struct Slot {
    std::atomic<int> state{Free};
    std::array<char, PATH_MAX> path{};
};

std::array<Slot, SlotCount> held;
// Slots are taken round the ring, so a freed one is reused only after all others have been:
// the handler never reads a path while it is being rewritten for another file.
std::atomic<std::size_t> nextSlot{0};
static_assert(std::atomic<int>::is_always_lock_free);

// Creations under way in all threads, and in this one (a signal may come in the middle of one).
std::atomic<int> creating{0};
thread_local int creatingHere = 0;
std::atomic<bool> ending{false};

extern "C" void removeTempFilesAndExit(int signal) {
    ending.store(true);
    // Other threads finish the creation they are in, so that their files are registered and
    // there; a thread stopped for good would hold the exit up for a second at most.
    const timespec pause{0, 1000000};
    for (int waited = 0; waited < 1000 && creating.load() > creatingHere; ++waited) {
        ::nanosleep(&pause, nullptr);
    }
    for (Slot& slot : held) {
        if (slot.state.load() == Held) {
            ::unlink(slot.path.data());
        }
    }
    ::_exit(128 + signal);
}

}  // namespace

TempFileRegistry::Creation::Creation() {
    ++creatingHere;
    ++creating;
    allowed_ = !ending.load();
}

TempFileRegistry::Creation::~Creation() {
    --creating;
    --creatingHere;
}

int TempFileRegistry::add(const QByteArray& path) {
    if (path.size() >= static_cast<qsizetype>(PATH_MAX)) {
        return -1;
    }
    for (std::size_t tried = 0; tried < SlotCount; ++tried) {
        const std::size_t i = nextSlot++ % SlotCount;
        int expected = Free;
        if (held[i].state.compare_exchange_strong(expected, Filling)) {
            std::memcpy(held[i].path.data(), path.constData(), static_cast<size_t>(path.size()));
            held[i].path[static_cast<std::size_t>(path.size())] = '\0';
            held[i].state.store(Held);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TempFileRegistry::remove(int slot) {
    if (slot >= 0 && static_cast<std::size_t>(slot) < SlotCount) {
        held[static_cast<std::size_t>(slot)].state.store(Free);
    }
}

void InstallTempFileCleanup() {
    struct sigaction action = {};
    action.sa_handler = removeTempFilesAndExit;
    sigemptyset(&action.sa_mask);
    // A second signal during the clean-up waits; the first one's exit status is the one given.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaddset(&action.sa_mask, signal);
    }
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        // A signal ignored from the start (nohup, a shell's background job) stays ignored.
        struct sigaction previous = {};
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
            continue;
        }
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace vandrix
