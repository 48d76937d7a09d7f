// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vandrix {

// Where a file of the program directory lies: the bare name (current directory) while the
// directory is unknown, else the directory and the name joined by one separator.
QString ProgramFilePath(const QString& initDir, const QString& fileName);

}  // namespace vandrix
