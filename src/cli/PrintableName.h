// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vandrix {

// The text with control characters, backslashes and stray bytes (model/PathBytes.h) escaped as
// `ls -b` shows names (\a \b \t \n \v \f \r, \\, octal \033 for the rest), safe to print on a
// terminal.
QString PrintableName(const QString& text);

}  // namespace vandrix
