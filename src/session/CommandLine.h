// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace vandrix {

// `vandrix [file]`. Answers --help and --version (and a malformed command line) on the terminal
// and ends the process, before any window system is reached.
void AnswerCommandLineRequests(int argc, char** argv);

// The data file named on the command line, as an absolute path against `workingDir`, or empty
// when none is named. Call with the application's arguments once Qt has taken its own options.
QString FileToOpen(const QStringList& arguments, const QString& workingDir);

}  // namespace vandrix
