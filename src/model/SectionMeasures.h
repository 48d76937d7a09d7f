// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SectionGeometry.h"
#include "SmoothOutline.h"

namespace vandrix {

// The leading-edge radius of a resampled section over its chord: the radius of curvature where
// the mean line meets the nose. `te` is the trailing edge's midpoint in the outline's frame.
double LeadingEdgeRadius(const SmoothOutline& outline, const ResampledSection& section,
                         const SectionPoint& te);

// How far the point with index j lies off the smooth line through its neighbours, in the
// points' units.
double PointOffLine(const SectionPoints& points, int j);

}  // namespace vandrix
