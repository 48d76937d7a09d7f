// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vandrix {

// File names are bytes; Qt's texts are UTF-16. A name that is not valid UTF-8 is carried in a
// QString with each stray byte B as the lone surrogate U+DC00 + B, which no valid UTF-8 name
// can hold, so the bytes come back exactly.
QString PathFromBytes(const QByteArray& bytes);
QByteArray PathBytes(const QString& path);

// The stray byte the unit at `index` carries, if it carries one.
std::optional<unsigned char> StrayByteAt(const QString& path, qsizetype index);

// True when the name holds a byte that is not UTF-8 (carried as above).
bool HoldsStrayBytes(const QString& path);

}  // namespace vandrix
