// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Result.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <string_view>

namespace vandrix {

// Description of a number that does not fit its target.
QString OverflowDescription();

// Reads the longest decimal number at the start of a text, skipping blanks, tabs and line
// feeds wherever they stand: "12abc" -> 12, " 7" -> 7, "1 400" -> 1400, "abc" and "" -> 0.
// The decimal separator is always the point, whatever the locale. A number too large for a
// double fails with an overflow; one too small for a double reads as zero.
Result<double> NumericPrefix(QStringView text);
Result<double> NumericPrefix(std::string_view bytes);

// A number typed alone as a value (an option's, a dialog field's): the whole text in C-locale
// form ("12.5", "-3", "+1e3", ".5", "5."), any blanks around it aside. Unlike NumericPrefix,
// nothing else may stand in the text, and infinity, NaN and numbers beyond a double's range
// either way are refused. Fails with "not a number".
Result<double> TypedNumber(QStringView text);
// A whole number typed alone: decimal digits with an optional sign, within int, ASCII blanks
// (space, tab, line feed, vertical tab, form feed, carriage return) around it aside. Fails with
// "not a whole number".
Result<int> TypedWholeNumber(QStringView text);

// Nearest integer, an exact half going to the even neighbour; outside the type's range is
// an overflow and yields no value.
Result<std::int16_t> RoundToInt16(double value);
Result<std::int32_t> RoundToInt32(double value);

// Numeric prefix followed by rounding to a 16-bit integer.
Result<std::int16_t> TextToInt16(QStringView text);

// Plain decimal digits, a minus sign for a negative value, no blanks.
QString Int16ToText(std::int16_t value);

// General decimal form with at most 15 significant digits, no trailing zeros and no trailing
// point: 180 -> "180", 12.5 -> "12.5", 1/3 -> "0.333333333333333", 1e20 -> "1E+20".
QString DoubleToText(double value);

// Like DoubleToText, but with as many digits as it takes to read back the very same double.
QString DoubleToRoundTripText(double value);

}  // namespace vandrix
