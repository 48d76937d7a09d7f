// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionMeasures.h"

#include "ThinAerofoil.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>

namespace vandrix {

namespace {

// A mean line closer to the chord than this is rounding noise.
constexpr double CamberNoise = 0.00005;

}  // namespace

SectionMeasures MeasureCurves(const SectionCurves& curves) {
    SectionMeasures m;
    for (int k = 0; k < SectionStations; ++k) {
        const double upper = curves.y(UpperCurve, k);
        const double lower = curves.y(LowerCurve, k);
        const double thickness = upper - lower;
        const double camber = (upper + lower) / 2.0;
        if (thickness > m.thickness) {
            m.thickness = thickness;
            m.thicknessX = curves.x(UpperCurve, k);
        }
        if (std::abs(camber) > std::abs(m.camber)) {
            m.camber = camber;
            m.camberX = curves.x(UpperCurve, k);
        }
    }
    if (std::abs(m.camber) < CamberNoise) {
        m.camber = 0.0;
        m.camberX = 0.0;
        return m;  // the mean line is the chord: no zero-lift angle, no moment
    }
    const ThinAerofoilFigures figures = ThinAerofoil(MeanLineHeights(curves));
    m.zeroLiftAngle = figures.zeroLiftAngle;
    m.quarterChordMoment = figures.quarterChordMoment;
    return m;
}

// The leading-edge radius, over the distance from the nose to the trailing edge's midpoint
// `te`: the radius of curvature (as NoseRadiusAt fits it) where the mean line meets the nose, the
// point whose tangent is square to the mean line's direction near the leading edge (from its
// height at x/c = 0.25 % to that at 1.25 %). On a cambered section that is not the point
// farthest from the trailing edge, where the nose is less curved.
double LeadingEdgeRadius(const SmoothOutline& outline, const SectionCurves& curves,
                         const SectionPoint& te) {
    const auto meanAt = [&](double x) {
        int k = 1;
        while (k + 1 < SectionStations && curves.x(UpperCurve, k) < x) {
            ++k;
        }
        return SectionPoint(curves.x(UpperCurve, k),
                            (curves.y(UpperCurve, k) + curves.y(LowerCurve, k)) / 2.0);
    };
    const SectionPoint mean = (meanAt(0.0125) - meanAt(0.0025)).normalized();
    const double u = LargestAt(outline, [&](const SectionPoint& p) { return -p.dot(mean); });
    const SectionPoint nose = outline.at(u);
    const double chord = (te - nose).norm();
    const double radius = NoseRadiusAt(outline, u, chord);
    return std::isfinite(radius) ? radius / chord : 0.0;
}

double TrailingEdgeGap(const SectionPoints& points) {
    return (points.front() - points.back()).norm();
}

}  // namespace vandrix
