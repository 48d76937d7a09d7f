#include "PlotGeometry.h"

#include "app/Conversions.h"

namespace vandrix {

namespace {

constexpr int GridColumns = 10;
constexpr int GridRowFirst = -1;
constexpr int GridRowLast = 3;
constexpr double GridBottom = -0.1;
constexpr double GridTop = 0.3;

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
    plot.grid.reserve(GridColumns + 1 + GridRowLast - GridRowFirst + 1);
    for (int a = 0; a <= GridColumns; ++a) {
        const std::int32_t x = roundExact((a / 10.0) * s);
        plot.grid.push_back({x, roundExact(s * GridBottom), x, roundExact(s * GridTop)});
    }
    for (int i = GridRowFirst; i <= GridRowLast; ++i) {
        const std::int32_t y = roundExact((i / 10.0) * s);
        plot.grid.push_back({0, y, roundExact(s), y});
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
