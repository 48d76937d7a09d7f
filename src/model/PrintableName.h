// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace vandrix {

// File names are bytes; Qt's texts are UTF-16. A name that is not valid UTF-8 is carried in a
// QString with each stray byte B as the lone surrogate U+DC00 + B, which no valid UTF-8 name
// can hold, so the bytes come back exactly.
QString PathFromBytes(const QByteArray& bytes);
QByteArray PathBytes(const QString& path);

// True when the name holds a byte that is not UTF-8 (carried as above).
bool HoldsStrayBytes(const QString& path);

// The text with control characters, backslashes and stray bytes escaped as `ls -b` shows
// names (\a \b \t \n \v \f \r, \\, octal \033 for the rest), safe to print on a terminal.
QString PrintableName(const QString& text);

}  // namespace vandrix
