// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Result.h"
#include "SectionOutline.h"

#include <QString>
#include <QStringList>

#include <array>

namespace vandrix {

inline constexpr int SectionStations = 201;

// x of station i (0..200): (1 - cos(pi i / 200)) / 2, dense at both edges.
double StationX(int i);

// The measures of a normalised section, in fractions of the chord.
struct SectionMeasures {
    double thickness = 0.0;
    double thicknessX = 0.0;
    double camber = 0.0;  // signed: the mean line's extreme of larger size
    double camberX = 0.0;
    double leRadius = 0.0;
    double teGap = 0.0;
};

// A section in the normalised frame, resampled at the stations: index 0 the leading edge,
// 200 the trailing edge, on the upper and on the lower surface. Each point lies at its
// station's x, but for point 200 of a surface whose trailing-edge end falls short of x = 1.
struct SectionCurve {
    std::array<double, SectionStations> x{};
    std::array<double, SectionStations> y{};
};

struct ResampledSection {
    SectionCurve upper;
    SectionCurve lower;
    SectionMeasures measures;
    bool keptFrame = false;
    QString frameChange;   // what normalising did, in words
    QStringList warnings;  // what is odd about the outline, each with where it is
};

// Normalises the points (one run from one trailing-edge end round the leading edge to the
// other), resamples both surfaces and takes the measures. Fails with a plain reason; what does
// not stop a section (crossing surfaces, a short surface, a spike) is warned.
Result<ResampledSection> ResampleSection(const SectionPoints& run);

// One run from one trailing-edge end round the leading edge to the other: a single run as it is,
// two surfaces (as Lednicer files list them) joined at their leading edges.
SectionPoints JoinedRun(const std::vector<SectionPoints>& runs);

}  // namespace vandrix
