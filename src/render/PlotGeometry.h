// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PlotGrid.h"
#include "model/Section.h"

#include <cstdint>
#include <vector>

namespace vandrix {

// A straight line between two points given in whole units.
struct PlotLine {
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t x2 = 0;
    std::int32_t y2 = 0;
    bool operator==(const PlotLine&) const = default;
};

// The screen plot at a scale of `scale` picture units per data unit: the grid (11 vertical
// lines for x = 0, 0.1 .. 1, then 5 horizontal ones for y = -0.1 .. 0.3) and the curve segments,
// one of curve 0 then one of curve 1 for each step from point b to b + 1, b = 0 .. 199.
// Every coordinate is rounded to the nearest whole unit, an exact half to the even one.
// A segment whose rounded coordinates would not be finite 32-bit integers is left out and
// counted in `skipped`.
struct ScreenPlot {
    std::vector<PlotLine> grid;
    std::vector<PlotLine> curves;
    int skipped = 0;
};

ScreenPlot ComputeScreenPlot(std::int16_t scale, const SectionCurves& curves);

// The plot in data units, in the order every surface draws it: each grid line, then the curve
// segments, one of curve 0 then one of curve 1 for each step from point b to b + 1,
// b = 0 .. 199.
template <typename GridLine, typename CurveSegment>
void ForEachPlotLine(const SectionCurves& curves, GridLine&& gridLine,
                     CurveSegment&& curveSegment) {
    for (const DataLine& line : GridLines) {
        gridLine(line);
    }
    for (int b = 0; b < SectionStations - 1; ++b) {
        for (int curve = 0; curve < CurveCount; ++curve) {
            curveSegment(DataLine{curves.x(curve, b), curves.y(curve, b), curves.x(curve, b + 1),
                                  curves.y(curve, b + 1)});
        }
    }
}

}  // namespace vandrix
