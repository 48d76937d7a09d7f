// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

namespace vandrix {

// The screen scale is in picture units per data unit, the printer scale in millimetres per data
// unit.

// Scales a new program directory starts with, and the command line's when nothing gives others,
// so that the first plot and sheet are of a useful size (a full-width picture, a sheet-wide print).
inline constexpr std::int16_t FirstScreenScale = 1000;
inline constexpr double FirstPrinterScale = 150.0;

// The largest scales that a scale box or the command line takes.
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
