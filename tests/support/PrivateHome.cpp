// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into every test program: before main it gets an empty home of its own, removed at the
// end, so that neither it nor a program it starts reads or writes the user's settings (Qt's file
// dialog history, the default printer, fontconfig's, LibreCAD's, a program directory).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct PrivateHome {
    PrivateHome() {
        const char* tmp = std::getenv("TMPDIR");
        dir = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/vandrix-home-" +
              program_invocation_short_name + "-XXXXXX";
        if (::mkdtemp(dir.data()) == nullptr) {
            std::perror(dir.c_str());
            std::exit(1);
        }
        ::setenv("HOME", dir.c_str(), 1);
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                 "XDG_STATE_HOME", "LPDEST", "PRINTER"}) {
            ::unsetenv(name);
        }
    }
    PrivateHome(const PrivateHome&) = delete;
    PrivateHome& operator=(const PrivateHome&) = delete;
    ~PrivateHome() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::string dir;
};

const PrivateHome home;

}  // namespace
