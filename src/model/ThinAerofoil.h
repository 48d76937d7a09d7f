// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Section.h"
#include "SurfaceSampler.h"

namespace vandrix {

// The mean line at the stations: the middle of the two curves at each station's x. A curve whose
// last point lies short of x = 1 (one surface of an open trailing edge ends ahead of the other)
// is carried on past it along its last stretch, so that the mean line is not pulled towards that
// end over the last stations.
StationValues MeanLineHeights(const SectionCurves& curves);

// What thin-aerofoil theory makes of a mean line: the angle of zero lift, in degrees from the
// chord (nose up positive), and the moment coefficient about the quarter chord (nose up
// positive).
struct ThinAerofoilFigures {
    double zeroLiftAngle = 0.0;
    double quarterChordMoment = 0.0;
};

// The figures of a mean line given by its heights at the stations, in chords: with
// x = (1 - cos t) / 2, aL0 = -(1/pi) Int (dz/dx)(cos t - 1) dt and Cm = (pi/4)(A2 - A1), where
// An = (2/pi) Int (dz/dx) cos nt dt. The stations are equal steps in t, so the mean line is taken
// as the cosine series in t through its heights there, and the integrals are closed sums of its
// coefficients: no slope is taken between the stations crowded at the nose and the tail.
ThinAerofoilFigures ThinAerofoil(const StationValues& meanLine);

}  // namespace vandrix
