// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vandrix {

// The shipped files' directory, <prefix>/`dataDir`/vandrix, when the program runs from
// <prefix>/`binDir` of an install prefix that holds them; empty otherwise (a build tree, a copy
// somewhere else). `binDir` and `dataDir` are relative to the prefix.
QString InstalledShareDir(const QString& programDir, const QString& binDir, const QString& dataDir);

// The same for the running program and the directories it was built to be installed in.
QString InstalledShareDir();

// The language file that comes with the running program: beside it (a build tree, a program
// directory), else in the installed share directory; empty when there is none.
QString ShippedLanguageFile();

}  // namespace vandrix
