// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

namespace vandrix {

// 1-based position of the last occurrence of the one-character searchChar in searchText, or 0.
// Character codes compare exactly; a searchChar that is not one character never matches.
int LastPos(QStringView searchText, QStringView searchChar);

// The label of a header line "label2:label1:value" for the given language (2 takes the first
// field, any other number the second). A line with fewer than two colons is malformed: readStop
// becomes 1 and the result is empty. readStop is never set back to 0 here.
QString GetLabel(QStringView headerLine, std::int16_t language, std::int16_t& readStop);

// Everything after the second colon of a header line, further colons and blanks included.
QString GetValue(QStringView headerLine);

}  // namespace vandrix
