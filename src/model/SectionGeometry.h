// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Result.h"
#include "Section.h"
#include "SectionOutline.h"

#include <QString>
#include <QStringList>

namespace vandrix {

// Heights closer than this (in chords) are one height: published files cross by a few 1e-7 at
// the trailing edge, and a flat outline is that thick from rounding alone.
inline constexpr double HeightTolerance = 1e-6;

// x of station i (0..200): (1 - cos(pi i / 200)) / 2, dense at both edges.
double StationX(int i);

// A section in the normalised frame, resampled at the stations: point 0 of each curve the
// leading edge, 200 the trailing edge. Each point lies at its station's x, but for point 200 of
// a surface whose trailing-edge end falls short of x = 1.
struct ResampledSection {
    SectionCurves curves;
    SectionMeasures measures;
    bool keptFrame = false;
    QString frameChange;   // what normalising did, in words
    QStringList warnings;  // what is odd about the outline, each with where it is
};

// Normalises the points (one run from one trailing-edge end round the leading edge to the
// other), resamples both surfaces and takes the measures. Fails with a plain reason; what does
// not stop a section (crossing surfaces, a short surface, a spike, more than 50 % of the chord
// thick) is warned. The steps: NormaliseFrame (SectionFrame.h), SampleSurfaces
// (SurfaceSampler.h), MeasureCurves and LeadingEdgeRadius (SectionMeasures.h), the checks
// (SectionChecks.h) and the warnings (SectionWarnings.h).
Result<ResampledSection> ResampleSection(const SectionPoints& run);

// One run from one trailing-edge end round the leading edge to the other: a single run as it is,
// two surfaces (as Lednicer files list them) joined at their leading edges.
SectionPoints JoinedRun(const std::vector<SectionPoints>& runs);

}  // namespace vandrix
