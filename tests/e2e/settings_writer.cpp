// SPDX-License-Identifier: GPL-3.0-or-later
// Rewrites Set.txt in the current directory with WriteSetting, alternating between two sets of
// values, until it is killed. The kill test stops it at random moments. With the argument
// "once" it writes the second set once and ends; messages go to standard error.
#include "session/Dialogs.h"
#include "session/Startup.h"

#include <QDir>

#include <cstdio>
#include <cstring>

namespace {

class StderrDialogs : public vandrix::Dialogs {
public:
    void messageBox(const QString& text) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    QString inputBox(const QString&) override { return {}; }
    QString openFile(const QString&) override { return {}; }
    bool templateSettings(const vandrix::LanguageRead&, vandrix::TemplateAnswer&) override {
        return false;
    }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QStringList&) override { return {}; }
};

}  // namespace

int main(int argc, char* argv[]) {
    vandrix::AppState first;
    first.Language = 1;
    first.InitDir = QDir::currentPath();
    first.ScreenScale = 1000;
    first.PrinterScale = 150;
    vandrix::AppState second = first;
    second.Language = 2;
    second.ScreenScale = -1234;
    second.PrinterScale = 0.1 + 0.2;

    StderrDialogs dialogs;
    if (argc > 1 && std::strcmp(argv[1], "once") == 0) {
        vandrix::WriteSetting(second, dialogs);
        return 0;
    }
    std::fputs("writing\n", stdout);
    std::fflush(stdout);
    for (unsigned long round = 0;; ++round) {
        vandrix::WriteSetting(round % 2 == 0 ? second : first, dialogs);
    }
}
