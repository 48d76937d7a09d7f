// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into every test program: before main, the program gets an empty home directory of its
// own, removed when it ends. So neither the test nor a program it starts reads or writes the
// user's settings: the file dialog's in ~/.config/QtProject.conf, the default printer of
// ~/.cups/lpoptions or $PRINTER, fontconfig's, LibreCAD's, a program directory in XDG_DATA_HOME.
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
