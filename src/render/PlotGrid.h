// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

namespace vandrix {

// A straight line in data units.
struct DataLine {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
};

inline constexpr int GridColumnCount = 11;
inline constexpr int GridRowCount = 5;
inline constexpr int GridLineCount = GridColumnCount + GridRowCount;

// The grid under both plots, in data units, in drawing order: 11 vertical lines at
// x = a / 10 (a = 0 .. 10), each from y = -0.1 up to y = 0.3, then 5 horizontal lines at
// y = i / 10 (i = -1 .. 3), each from x = 0 to x = 1. A plot at scale s draws each end at
// s times these numbers, so every surface puts the grid at the same products.
inline constexpr std::array<DataLine, GridLineCount> GridLines = [] {
    constexpr double Step = 10.0;
    constexpr double Bottom = -0.1;
    constexpr double Top = 0.3;
    constexpr double Right = 1.0;
    constexpr int FirstRow = -1;
    std::array<DataLine, GridLineCount> lines{};
    for (int a = 0; a < GridColumnCount; ++a) {
        const double x = a / Step;
        lines.at(static_cast<std::size_t>(a)) = {x, Bottom, x, Top};
    }
    for (int i = 0; i < GridRowCount; ++i) {
        const double y = (FirstRow + i) / Step;
        lines.at(static_cast<std::size_t>(GridColumnCount) + static_cast<std::size_t>(i)) = {
            0.0, y, Right, y};
    }
    return lines;
}();

}  // namespace vandrix
