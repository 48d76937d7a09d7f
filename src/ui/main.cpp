// SPDX-License-Identifier: GPL-3.0-or-later
#include "Viewer.h"
#include "session/CommandLine.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    vandrix::AnswerCommandLineRequests(argc, argv);
    // Qt takes its own options (-platform, -style ...) out of argc and argv here.
    QApplication app(argc, argv);
    const QString file =
        vandrix::FileToOpen(vandrix::CommandLineArguments(argc, argv), QDir::currentPath());
    vandrix::Viewer viewer;
    viewer.start(file);
    return QApplication::exec();
}
