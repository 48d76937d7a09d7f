// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionWarnings.h"

#include "SectionGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vandrix {

namespace {

// A surface that ends before this x stops short of the trailing edge.
constexpr double ShortSurface = 0.95;
// A point farther than this off the smooth line through its neighbours is a spike.
constexpr double SpikeTolerance = 0.01;
// A section thicker than this is no usual wing section.
constexpr double ThickSection = 0.5;

}  // namespace

QStringList CrossingWarning(const SectionCurves& curves) {
    double crossing = 0.0;
    double crossingX = 0.0;
    for (int k = 0; k < SectionStations; ++k) {
        const double thickness = curves.y(UpperCurve, k) - curves.y(LowerCurve, k);
        if (-thickness > crossing) {
            crossing = -thickness;
            crossingX = curves.x(UpperCurve, k);
        }
    }
    if (!(crossing > HeightTolerance)) {
        return {};
    }
    return {
        QStringLiteral("the surfaces cross, by %1 % of the chord at x/c = %2")
            .arg(QString::number(crossing * 100.0, 'f', 3), QString::number(crossingX, 'f', 3))};
}

QStringList ShortSurfaceWarning(const Surface& surface, const QString& name) {
    double reach = 0.0;
    for (int j = surface.nose(); j != surface.end() + surface.dir(); j += surface.dir()) {
        reach = std::max(reach, surface.point(j).x());
    }
    if (!(reach < ShortSurface)) {
        return {};
    }
    return {QStringLiteral("the %1 surface stops at x/c = %2, short of the trailing edge")
                .arg(name, QString::number(reach, 'f', 3))};
}

QStringList SpikeWarning(const SectionPoints& points, int nose) {
    double spike = 0.0;
    double spikeX = 0.0;
    for (int j = 1; j + 1 < int(points.size()); ++j) {
        if (j == nose) {
            continue;  // a blunt nose is no spike
        }
        const double off = PointOffLine(points, j);
        if (off > spike) {
            spike = off;
            spikeX = points[std::size_t(j)].x();
        }
    }
    if (!(spike > SpikeTolerance)) {
        return {};
    }
    return {QStringLiteral(
                "the point at x/c = %1 lies %2 % of the chord off the smooth line through its "
                "neighbours")
                .arg(QString::number(spikeX, 'f', 3), QString::number(spike * 100.0, 'f', 2))};
}

QStringList ThicknessWarning(const SectionMeasures& measures) {
    if (!(measures.thickness > ThickSection)) {
        return {};
    }
    return {QStringLiteral("the section is %1 % of the chord thick at x/c = %2, more than 50 %")
                .arg(QString::number(measures.thickness * 100.0, 'f', 1),
                     QString::number(measures.thicknessX, 'f', 3))};
}

QStringList SectionWarnings(const SmoothOutline& outline, int nose,
                            const SampledSurfaces& sampled) {
    const QString upper = QStringLiteral("upper");
    const QString lower = QStringLiteral("lower");
    return CrossingWarning(sampled.curves) +
           ShortSurfaceWarning(Surface(outline, nose, -1), sampled.firstUpper ? upper : lower) +
           ShortSurfaceWarning(Surface(outline, nose, 1), sampled.firstUpper ? lower : upper) +
           SpikeWarning(outline.points(), nose);
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
    while (before + 1 < m && idx[std::size_t(before) + 1] < j) {
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
