// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

namespace vandrix {

// The largest screen scale (picture units per data unit) and printer scale (millimetres per
// data unit) that a scale box or the command line takes.
inline constexpr std::int16_t MaxScreenScale = 1400;
inline constexpr double MaxPrinterScale = 180.0;

// A scale as taken: the value within its maximum, and "Max = N" when it had to be clamped.
template <typename T>
struct ScaleTaken {
    T value;
    QString clampMessage;
};

ScaleTaken<std::int16_t> TakeScreenScale(std::int16_t scale);
ScaleTaken<double> TakePrinterScale(double scale);

}  // namespace vandrix
