#include "PlotGeometry.h"

#include "PlotGrid.h"
#include "model/Conversions.h"

namespace vandrix {

namespace {

std::int32_t roundExact(double value) {
    // Grid coordinates come from a 16-bit scale and always fit.
    return RoundToInt32(value).value();
}

// One segment from point b to b + 1 of a curve, or nothing when a coordinate does not fit.
std::optional<PlotLine> ScreenSegment(double scale, const PointArray& pointX,
                                      const PointArray& pointY, int curve, int b) {
    const Result<std::int32_t> x1 = RoundToInt32(scale * pointX(curve, b));
    const Result<std::int32_t> y1 = RoundToInt32(scale * pointY(curve, b));
    const Result<std::int32_t> x2 = RoundToInt32(scale * pointX(curve, b + 1));
    const Result<std::int32_t> y2 = RoundToInt32(scale * pointY(curve, b + 1));
    if (!x1 || !y1 || !x2 || !y2) {
        return std::nullopt;
    }
    return PlotLine{x1.value(), y1.value(), x2.value(), y2.value()};
}

}  // namespace

ScreenPlot ComputeScreenPlot(std::int16_t scale, const PointArray& pointX,
                             const PointArray& pointY) {
    const double s = scale;
    ScreenPlot plot;
    plot.grid.reserve(GridLines.size());
    for (const DataLine& line : GridLines) {
        plot.grid.push_back({roundExact(line.x1 * s), roundExact(line.y1 * s),
                             roundExact(line.x2 * s), roundExact(line.y2 * s)});
    }
    plot.curves.reserve(std::size_t{CurveCount} * (FilePointsPerCurve - 1));
    for (int b = 0; b < FilePointsPerCurve - 1; ++b) {
        for (int curve = 0; curve < CurveCount; ++curve) {
            if (const auto segment = ScreenSegment(s, pointX, pointY, curve, b)) {
                plot.curves.push_back(*segment);
            } else {
                ++plot.skipped;
            }
        }
    }
    return plot;
}

}  // namespace vandrix
