// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Section.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace vandrix {

// The free lines of a data file's first fifteen (line 6 and lines 10 to 15), in order.
inline constexpr int FreeLineCount = 7;
using FreeLines = std::array<QString, FreeLineCount>;

// A data file for the profile: its eight header lines "label2:label1:value" and the free lines
// in their places, then curve 0 from point 200 down to 0 and curve 1 from 0 up to 200, one
// "x,y" pair a line with six decimals (a value that rounds to zero without a sign). UTF-8 with
// CRLF line ends, as the program writes every text file.
QByteArray WriteDataFile(const Section& profile, const FreeLines& freeLines);

}  // namespace vandrix
