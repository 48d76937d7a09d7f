// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlotGeometry.h"

#include "model/Conversions.h"

#include <optional>

namespace vandrix {

namespace {

std::int32_t roundExact(double value) {
    // Grid coordinates come from a 16-bit scale and always fit.
    return RoundToInt32(value).value();
}

// A segment in whole units, or nothing when a coordinate does not fit.
std::optional<PlotLine> screenSegment(double scale, const DataLine& line) {
    const Result<std::int32_t> x1 = RoundToInt32(scale * line.x1);
    const Result<std::int32_t> y1 = RoundToInt32(scale * line.y1);
    const Result<std::int32_t> x2 = RoundToInt32(scale * line.x2);
    const Result<std::int32_t> y2 = RoundToInt32(scale * line.y2);
    if (!x1 || !y1 || !x2 || !y2) {
        return std::nullopt;
    }
    return PlotLine{x1.value(), y1.value(), x2.value(), y2.value()};
}

}  // namespace

ScreenPlot ComputeScreenPlot(std::int16_t scale, const SectionCurves& curves) {
    const double s = scale;
    ScreenPlot plot;
    plot.grid.reserve(GridLines.size());
    plot.curves.reserve(std::size_t{CurveCount} * (SectionStations - 1));
    ForEachPlotLine(
        curves,
        [&](const DataLine& line) {
            plot.grid.push_back({roundExact(line.x1 * s), roundExact(line.y1 * s),
                                 roundExact(line.x2 * s), roundExact(line.y2 * s)});
        },
        [&](const DataLine& line) {
            if (const auto segment = screenSegment(s, line)) {
                plot.curves.push_back(*segment);
            } else {
                ++plot.skipped;
            }
        });
    return plot;
}

}  // namespace vandrix
