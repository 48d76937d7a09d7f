// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Section.h"
#include "SmoothOutline.h"
#include "SurfaceSampler.h"

#include <QStringList>

namespace vandrix {

// What is odd about an outline that still makes a section, each warning with where it is. Each
// function gives its one warning, or none.

// The upper curve below the lower by more than 1e-6 chord: by how much at most, and where.
QStringList CrossingWarning(const SectionCurves& curves);

// A surface (named `name`: upper or lower) whose points stop short of x/c = 0.95.
QStringList ShortSurfaceWarning(const Surface& surface, const QString& name);

// A point more than 1 % of the chord off the smooth line through its neighbours (the leading
// edge, the point with index `nose`, aside: a blunt nose is no spike).
QStringList SpikeWarning(const SectionPoints& points, int nose);

// A section thicker than 50 % of the chord: how thick, and where. It converts (a round or very
// thick root section is drawn as it is); the warning says that it is no usual wing section.
QStringList ThicknessWarning(const SectionMeasures& measures);

// The warnings of a normalised outline and its sampled curves, in the order above (the thickness
// aside: it comes from the measures).
QStringList SectionWarnings(const SmoothOutline& outline, int nose, const SampledSurfaces& sampled);

// How far the point with index j lies off the smooth line through its neighbours, in the
// points' units.
double PointOffLine(const SectionPoints& points, int j);

}  // namespace vandrix
