// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Result.h"
#include "Section.h"
#include "SmoothOutline.h"
#include "SurfaceSampler.h"

#include <cstddef>

namespace vandrix {

// What stops an outline from making a section. Each check is a function of its own, so that
// what it refuses can be refused, or warned of, where it is called.

// Enough points left once repeated ones are dropped: `filePoints` in the file, `distinct` left.
Status CheckDistinctPoints(std::size_t filePoints, std::size_t distinct);

// Enough points on each side of the leading edge (the point with index `nose` of `count`).
Status CheckSurfacePoints(int nose, int count);

// The surface runs from its leading edge to its trailing edge without turning back.
Status CheckNoFold(const Surface& surface);

// Both surfaces of a normalised outline: enough points, then no fold.
Status CheckSurfaces(const SmoothOutline& outline, int nose);

// The thickness could be measured: the outline did not smooth to infinite heights.
Status CheckThicknessFinite(const SectionMeasures& measures);

// Thicker than rounding leaves a flat outline.
Status CheckPositiveThickness(const SectionMeasures& measures);

// Every height of the curves and every measure is a number.
Status CheckFinite(const SectionCurves& curves, const SectionMeasures& measures);

}  // namespace vandrix
