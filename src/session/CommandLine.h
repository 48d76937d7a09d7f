// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace vandrix {

// `vandrix [file]`. Answers --help and --version (and a malformed command line) on the terminal
// and ends the process, before any window system is reached.
void AnswerCommandLineRequests(int argc, char** argv);

// The arguments as the program was given them: names are bytes, and one that is not UTF-8 is
// kept exactly (PathFromBytes), as vandrix-export keeps them.
QStringList CommandLineArguments(int argc, char** argv);

// The data file named on the command line, as an absolute path against `workingDir`, or empty
// when none is named. Call with the arguments once Qt has taken its own options out of them.
QString FileToOpen(const QStringList& arguments, const QString& workingDir);

}  // namespace vandrix
