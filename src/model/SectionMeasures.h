// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Section.h"
#include "SmoothOutline.h"

namespace vandrix {

// The thickness and the camber of a section's curves, each with its position (the upper curve's
// x there), taken at equal stations, and the thin-aerofoil figures of its mean line
// (ThinAerofoil.h). The camber is the mean line's extreme of larger size, with its sign; a
// symmetric section's (below 0.005 % of the chord) is exactly 0 at 0, and so are its figures. The
// leading-edge radius and the trailing-edge gap are left at 0.
SectionMeasures MeasureCurves(const SectionCurves& curves);

// The leading-edge radius of a section over its chord: the radius of curvature of the outline
// where the mean line of the curves meets the nose. `te` is the trailing edge's midpoint in the
// outline's frame.
double LeadingEdgeRadius(const SmoothOutline& outline, const SectionCurves& curves,
                         const SectionPoint& te);

// The distance between the two ends of the outline.
double TrailingEdgeGap(const SectionPoints& points);

}  // namespace vandrix
