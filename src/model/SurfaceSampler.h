// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Section.h"
#include "SmoothOutline.h"

#include <array>

namespace vandrix {

// One value for each station, from the leading edge to the trailing edge.
using StationValues = std::array<double, SectionStations>;

// One surface of a smoothed outline: from the leading edge (the point with index `nose`) towards
// the outline's first point (dir -1) or its last (dir +1).
class Surface {
public:
    Surface(const SmoothOutline& outline, int nose, int dir)
        : outline_(outline), nose_(nose), dir_(dir) {}

    int nose() const { return nose_; }
    int dir() const { return dir_; }
    // The index of its trailing-edge end.
    int end() const { return dir_ > 0 ? int(outline_.points().size()) - 1 : 0; }
    const SectionPoint& point(int j) const { return outline_.points()[std::size_t(j)]; }
    // The index of its first point of largest x.
    int farthest() const;

    // y where the surface, followed from the nose, first reaches each x (rising), in one sweep:
    // the first reach of a larger x lies beyond that of a smaller one. An x at or ahead of the
    // nose takes the nose's height, an x beyond the surface's reach its farthest point's.
    StationValues heights(const StationValues& xs) const;

private:
    // A place on the surface: segments passed from the nose, and how far along the next one
    // (0 to 1, in the direction of travel).
    struct Place {
        int segment = 0;
        double along = 0.0;
    };
    // A stretch of one segment that the surface crosses x on: at `a` it is short of x by `fa`
    // (at most 0), at `b` at or beyond it by `fb`.
    struct Bracket {
        double a;
        double fa;
        double b;
        double fb;
    };

    int segments() const { return std::abs(end() - nose_); }
    // The outline's parameter at a place.
    double parameter(int segment, double along) const {
        return dir_ > 0 ? double(nose_ + segment) + along : double(nose_ - segment) - along;
    }
    double xAt(int segment, double along) const {
        return outline_.at(parameter(segment, along)).x();
    }
    // The first place from `from` on where the surface reaches x; segments() segments on when
    // it never does.
    Place firstReach(Place from, double x) const;
    // Where on the segment the surface reaches x, by false position (Illinois).
    double crossing(int segment, Bracket bracket, double x) const;

    const SmoothOutline& outline_;
    int nose_;
    int dir_;
};

// Both surfaces of a normalised outline at the stations, as the two curves of a section.
struct SampledSurfaces {
    SectionCurves curves;
    // Whether the surface towards the outline's first point is the upper one: the one that lies
    // higher on the whole.
    bool firstUpper = true;
};

// Each surface sampled at the stations from the leading edge (point `nose`, at (0, 0)); point 200
// of a curve is the surface's own trailing-edge end where that lies within the chord.
SampledSurfaces SampleSurfaces(const SmoothOutline& outline, int nose);

}  // namespace vandrix
