// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SectionOutline.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vandrix {

// A cubic spline through a run of points in their chord length (natural ends), fitted on the
// whole run at once: one tridiagonal solve, linear in the number of points.
class SmoothOutline {
public:
    explicit SmoothOutline(SectionPoints points);

    const SectionPoints& points() const { return points_; }
    // u runs from 0 to points().size() - 1; at whole numbers it passes through the points.
    SectionPoint at(double u) const;
    // First and second derivatives with respect to chord length at u.
    SectionPoint velocity(double u) const;
    SectionPoint acceleration(double u) const;
    // The largest x the curve reaches between the points with indexes i and i + 1.
    double segmentMaxX(int i) const;

private:
    SectionPoints points_;
    std::vector<double> t_;  // chord length at each point
    SectionPoints m_;        // second derivatives at each point
};

// Golden-section search for the largest value of f on [a, b].
template <typename F>
double Maximise(F f, double a, double b) {
    const double r = (std::sqrt(5.0) - 1.0) / 2.0;
    double c = b - r * (b - a);
    double d = a + r * (b - a);
    double fc = f(c);
    double fd = f(d);
    for (int i = 0; i < 80; ++i) {
        if (fc >= fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - r * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + r * (b - a);
            fd = f(d);
        }
    }
    return (a + b) / 2.0;
}

// The parameter of the smooth outline's point where `score` is largest.
template <typename F>
double LargestAt(const SmoothOutline& outline, F score) {
    const SectionPoints& points = outline.points();
    const int last = int(points.size()) - 1;
    int far = 0;
    for (int j = 1; j <= last; ++j) {
        if (score(points[std::size_t(j)]) > score(points[std::size_t(far)])) {
            far = j;
        }
    }
    const auto along = [&](double u) { return score(outline.at(u)); };
    double u = far;
    for (const int side : {-1, 1}) {
        const int other = far + side;
        if (other < 0 || other > last) {
            continue;
        }
        const double v = Maximise(along, std::min(far, other), std::max(far, other));
        if (along(v) > along(u)) {
            u = v;
        }
    }
    return u;
}

// The radius of curvature of the outline at parameter u, fitted over the file's points there;
// `chord` sets the scale of the nose it is fitted on.
double NoseRadiusAt(const SmoothOutline& outline, double u, double chord);

}  // namespace vandrix
