// SPDX-License-Identifier: GPL-3.0-or-later
#include "SurfaceSampler.h"

#include "SectionGeometry.h"

#include <algorithm>
#include <cmath>

namespace vandrix {

int Surface::farthest() const {
    int far = nose_;
    for (int j = nose_; j != end() + dir_; j += dir_) {
        if (point(j).x() > point(far).x()) {
            far = j;
        }
    }
    return far;
}

StationValues Surface::heights(const StationValues& xs) const {
    StationValues ys{};
    const int far = farthest();
    Place place;
    for (std::size_t k = 0; k < xs.size(); ++k) {
        const double x = xs[k];
        if (x <= point(nose_).x()) {
            ys[k] = point(nose_).y();
            continue;
        }
        place = firstReach(place, x);
        ys[k] = place.segment < segments() ? outline_.at(parameter(place.segment, place.along)).y()
                                           : point(far).y();
    }
    return ys;
}

Surface::Place Surface::firstReach(Place from, double x) const {
    for (; from.segment < segments(); from = {from.segment + 1, 0.0}) {
        const int index = dir_ > 0 ? nose_ + from.segment : nose_ - from.segment - 1;
        if (outline_.segmentMaxX(index) < x) {
            continue;
        }
        // The first of a few samples at or beyond x, then back to where the surface crosses it.
        constexpr int Samples = 4;
        double lo = from.along;
        double xlo = xAt(from.segment, lo) - x;
        for (int i = 1; i <= Samples; ++i) {
            const double hi = from.along + (1.0 - from.along) * i / Samples;
            const double xhi = xAt(from.segment, hi) - x;
            if (!(xhi < 0.0)) {  // at or beyond x, or NaN
                return {from.segment, crossing(from.segment, {lo, std::min(xlo, 0.0), hi, xhi}, x)};
            }
            lo = hi;
            xlo = xhi;
        }
    }
    return from;
}

double Surface::crossing(int segment, Bracket bracket, double x) const {
    auto [a, fa, b, fb] = bracket;
    int side = 0;  // which end moved last: -1 a, 1 b
    for (int r = 0; r < 100 && b - a > 1e-13 && fb != 0.0; ++r) {
        const double c = fa == fb ? (a + b) / 2.0 : (a * fb - b * fa) / (fb - fa);
        const double fc = xAt(segment, c) - x;
        if (fc < 0.0) {
            a = c;
            fa = fc;
            fb = side == -1 ? fb / 2.0 : fb;
            side = -1;
        } else {
            b = c;
            fb = fc;
            fa = side == 1 ? fa / 2.0 : fa;
            side = 1;
        }
        if (std::abs(fc) < 1e-15) {
            b = c;
            break;
        }
    }
    return b;
}

SampledSurfaces SampleSurfaces(const SmoothOutline& outline, int nose) {
    StationValues xs{};
    for (int i = 0; i < SectionStations; ++i) {
        xs[std::size_t(i)] = StationX(i);
    }
    const Surface first(outline, nose, -1);
    const Surface second(outline, nose, 1);
    std::array<StationValues, 2> x = {xs, xs};
    std::array<StationValues, 2> y = {first.heights(xs), second.heights(xs)};
    y[0][0] = y[1][0] = 0.0;
    double sum = 0.0;
    for (std::size_t k = 0; k < xs.size(); ++k) {
        sum += y[0][k] - y[1][k];
    }
    for (const Surface* surface : {&first, &second}) {
        const SectionPoint& end = surface->point(surface->end());
        const std::size_t side = surface == &first ? 0 : 1;
        if (end.x() <= 1.0 && end.x() >= 0.0) {
            x[side].back() = end.x();
            y[side].back() = end.y();
        }
    }
    SampledSurfaces sampled;
    sampled.firstUpper = sum >= 0.0;
    const std::size_t upper = sampled.firstUpper ? 0 : 1;
    for (int i = 0; i < SectionStations; ++i) {
        const auto k = std::size_t(i);
        sampled.curves.x(UpperCurve, i) = x[upper][k];
        sampled.curves.y(UpperCurve, i) = y[upper][k];
        sampled.curves.x(LowerCurve, i) = x[1 - upper][k];
        sampled.curves.y(LowerCurve, i) = y[1 - upper][k];
    }
    return sampled;
}

}  // namespace vandrix
