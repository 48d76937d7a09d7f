// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionMeasures.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>

namespace vandrix {

// The leading-edge radius, over the distance from the nose to the trailing edge's midpoint
// `te`: the radius of curvature (as NoseRadiusAt fits it) where the mean line meets the nose, the
// point whose tangent is square to the mean line's direction near the leading edge (from its
// height at x/c = 0.25 % to that at 1.25 %). On a cambered section that is not the point
// farthest from the trailing edge, where the nose is less curved.
double LeadingEdgeRadius(const SmoothOutline& outline, const ResampledSection& section,
                         const SectionPoint& te) {
    const SectionCurves& c = section.curves;
    const auto meanAt = [&](double x) {
        int k = 1;
        while (k + 1 < SectionStations && c.x(UpperCurve, k) < x) {
            ++k;
        }
        return SectionPoint(c.x(UpperCurve, k), (c.y(UpperCurve, k) + c.y(LowerCurve, k)) / 2.0);
    };
    const SectionPoint mean = (meanAt(0.0125) - meanAt(0.0025)).normalized();
    const double u = LargestAt(outline, [&](const SectionPoint& p) { return -p.dot(mean); });
    const SectionPoint nose = outline.at(u);
    const double chord = (te - nose).norm();
    const double radius = NoseRadiusAt(outline, u, chord);
    return std::isfinite(radius) ? radius / chord : 0.0;
}

// How far the point with index j lies off the smooth line through up to two neighbours on each
// side (a polynomial in their chord length).
double PointOffLine(const SectionPoints& points, int j) {
    const int n = int(points.size());
    std::array<int, 4> idx{};
    int m = 0;
    for (const int k : {j - 2, j - 1, j + 1, j + 2}) {
        if (k >= 0 && k < n) {
            idx[std::size_t(m++)] = k;
        }
    }
    std::array<double, 4> t{};
    for (int i = 1; i < m; ++i) {
        t[std::size_t(i)] = t[std::size_t(i - 1)] + (points[std::size_t(idx[std::size_t(i)])] -
                                                     points[std::size_t(idx[std::size_t(i - 1)])])
                                                        .norm();
    }
    const auto curve = [&](double s) {
        SectionPoint p(0.0, 0.0);
        for (int a = 0; a < m; ++a) {
            double w = 1.0;
            for (int b = 0; b < m; ++b) {
                if (b != a) {
                    w *= (s - t[std::size_t(b)]) / (t[std::size_t(a)] - t[std::size_t(b)]);
                }
            }
            p += w * points[std::size_t(idx[std::size_t(a)])];
        }
        return p;
    };
    // Between the two nearest neighbours.
    int before = 0;
    while (before + 1 < m && idx[std::size_t(before + 1)] < j) {
        ++before;
    }
    const double s0 = t[std::size_t(before)];
    const double s1 = t[std::size_t(std::min(before + 1, m - 1))];
    const SectionPoint& p = points[std::size_t(j)];
    constexpr int Samples = 12;
    double best = INFINITY;
    SectionPoint previous = curve(s0);
    for (int i = 1; i <= Samples; ++i) {
        const SectionPoint next = curve(s0 + (s1 - s0) * i / Samples);
        const SectionPoint d = next - previous;
        const double len2 = d.squaredNorm();
        const double f = len2 > 0.0 ? std::clamp((p - previous).dot(d) / len2, 0.0, 1.0) : 0.0;
        best = std::min(best, (previous + f * d - p).norm());
        previous = next;
    }
    return best;
}

}  // namespace vandrix
