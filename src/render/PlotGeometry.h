// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PlotGrid.h"
#include "model/Section.h"

namespace vandrix {

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
