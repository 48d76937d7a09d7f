// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace vandrix {

// Temporary files being written (AtomicWrite.h). SIGINT, SIGTERM and SIGHUP, once
// InstallTempFileCleanup has run (unless the signal was ignored when the program started),
// remove every registered file and end the process with 128 + the signal's number; files
// already renamed to their final names stay. The handler only reads fixed slots and calls
// unlink, nanosleep and _exit, so it may run in any thread at any time.
class TempFileRegistry {
public:
    // Held by a thread while it registers and creates a temporary file. A signal that comes
    // meanwhile waits (a moment at most) for other threads' creations to end, so that each file
    // is there to be removed; once the handler runs, no new creation may start.
    class Creation {
    public:
        Creation();
        ~Creation();
        Q_DISABLE_COPY_MOVE(Creation)
        // False once the process is ending: the file must not be created.
        bool allowed() const { return allowed_; }

    private:
        bool allowed_ = false;
    };

    // A slot for `path`, registered before the file is created, or -1 when every slot is taken
    // or the path is too long to keep.
    static int add(const QByteArray& path);
    // Forgets the slot once the file is renamed or removed.
    static void remove(int slot);
};

void InstallTempFileCleanup();

}  // namespace vandrix
