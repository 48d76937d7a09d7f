// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionFrame.h"

#include "SectionChecks.h"
#include "SmoothOutline.h"

#include <Eigen/Geometry>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vandrix {

namespace {

// How near the normalised frame a file must be to keep it, in chords.
constexpr double FrameTolerance = 0.0005;
// Points closer than this (relative to the outline's size) are one point written twice.
constexpr double RepeatTolerance = 1e-7;

// The index of the point nearest (0, 0), the two ends aside.
int NearestOrigin(const SectionPoints& points) {
    const int last = int(points.size()) - 1;
    int nearest = std::min(1, last);
    for (int j = 1; j < last; ++j) {
        if (points[std::size_t(j)].norm() < points[std::size_t(nearest)].norm()) {
            nearest = j;
        }
    }
    return nearest;
}

SectionPoint TrailingEdge(const SectionPoints& points) {
    return (points.front() + points.back()) / 2.0;
}

// A run scaled by a power of two (exactly) to a size near 1, so that lengths neither underflow
// nor overflow; `unscale` takes it back to the file's size.
struct ScaledRun {
    SectionPoints points;
    double unscale = 1.0;
};

Result<ScaledRun> ScaledToUnit(const SectionPoints& run) {
    double size = 0.0;
    for (const SectionPoint& p : run) {
        size = std::max({size, std::abs(p.x()), std::abs(p.y())});
    }
    if (!std::isfinite(size)) {
        return Result<ScaledRun>::failure(QStringLiteral("coordinates too large"));
    }
    if (size == 0.0) {
        return Result<ScaledRun>::failure(QStringLiteral("every point lies at (0, 0)"));
    }
    const int exponent = std::ilogb(size);
    ScaledRun scaled{run, std::ldexp(1.0, exponent)};
    for (SectionPoint& p : scaled.points) {
        p = SectionPoint(std::ldexp(p.x(), -exponent), std::ldexp(p.y(), -exponent));
    }
    return Result<ScaledRun>::success(std::move(scaled));
}

// How close two points may lie and still be two: a fraction of the run's extent.
double RepeatDistance(const SectionPoints& run) {
    Eigen::Vector2d lo = run.front();
    Eigen::Vector2d hi = run.front();
    for (const SectionPoint& p : run) {
        lo = lo.cwiseMin(p);
        hi = hi.cwiseMax(p);
    }
    return RepeatTolerance * (hi - lo).norm();
}

SectionPoints WithoutRepeats(const SectionPoints& run, double tolerance) {
    SectionPoints points;
    points.reserve(run.size());
    for (const SectionPoint& p : run) {
        if (points.empty() || (p - points.back()).norm() > tolerance) {
            points.push_back(p);
        }
    }
    return points;
}

// The leading edge: where it lies and its index among the points.
struct Nose {
    int index = 0;
    SectionPoint point;
};

// The point of the smooth outline farthest from the middle of the trailing edge `te`. It joins
// the points unless one of them lies there already.
Nose NoseOnOutline(SectionPoints& points, const SectionPoint& te, double tolerance) {
    const int last = int(points.size()) - 1;
    const SmoothOutline raw(points);
    const double u = LargestAt(raw, [&](const SectionPoint& p) { return (p - te).squaredNorm(); });
    Nose nose{std::clamp(int(std::floor(u)), 0, last - 1), raw.at(u)};
    if ((nose.point - points[std::size_t(nose.index)]).norm() <= tolerance) {
        return nose;
    }
    ++nose.index;
    if (!((nose.point - points[std::size_t(nose.index)]).norm() <= tolerance)) {
        points.insert(points.begin() + nose.index, nose.point);
    }
    return nose;
}

// What normalising did, in words, in the file's own units.
QString FrameWording(bool kept, const SectionPoint& leading, const SectionPoint& chord,
                     double unscale) {
    if (kept && leading == SectionPoint(0.0, 0.0) && chord == SectionPoint(1.0, 0.0)) {
        return QStringLiteral("none, the file is in the normalised frame");
    }
    const double angle = std::atan2(chord.y(), chord.x());
    const QString change = QStringLiteral(
                               "leading edge (%1, %2) moved to (0, 0), chord turned by %3 degrees, "
                               "scaled by %4")
                               .arg(QString::number(leading.x() * unscale, 'g', 6),
                                    QString::number(leading.y() * unscale, 'g', 6),
                                    QString::number(-angle * 180.0 / std::numbers::pi, 'f', 4),
                                    QString::number(1.0 / (chord.norm() * unscale), 'g', 6));
    return kept ? QStringLiteral("the designer's frame, ") + change : change;
}

}  // namespace

bool InDesignerFrame(const SectionPoints& run) {
    return run[std::size_t(NearestOrigin(run))].norm() <= FrameTolerance &&
           (TrailingEdge(run) - SectionPoint(1.0, 0.0)).norm() <= FrameTolerance;
}

Result<SectionFrame> NormaliseFrame(const SectionPoints& run) {
    using R = Result<SectionFrame>;
    if (run.empty()) {
        return R::failure(QStringLiteral("no points"));
    }
    SectionFrame frame;
    frame.kept = InDesignerFrame(run);
    const Result<ScaledRun> scaled =
        frame.kept ? Result<ScaledRun>::success({run, 1.0}) : ScaledToUnit(run);
    if (!scaled) {
        return R::failure(scaled.errors());
    }
    const double tolerance = RepeatDistance(scaled.value().points);
    frame.points = WithoutRepeats(scaled.value().points, tolerance);
    if (const Status enough = CheckDistinctPoints(run.size(), frame.points.size()); !enough) {
        return R::failure(enough.errors());
    }
    const SectionPoint te = TrailingEdge(frame.points);
    Nose nose;
    if (frame.kept) {
        nose.index = NearestOrigin(frame.points);
        nose.point = frame.points[std::size_t(nose.index)];
    } else {
        nose = NoseOnOutline(frame.points, te, tolerance);
    }
    // The leading edge goes to (0, 0) and the trailing edge's midpoint to (1, 0).
    const SectionPoint chord = te - nose.point;
    const double length = chord.norm();
    if (!(length > tolerance) || !std::isfinite(length)) {
        return R::failure(QStringLiteral("the leading and trailing edges coincide"));
    }
    const Eigen::Rotation2Dd turn(-std::atan2(chord.y(), chord.x()));
    if (nose.point != SectionPoint(0.0, 0.0) || te != SectionPoint(1.0, 0.0)) {
        for (SectionPoint& p : frame.points) {
            p = turn * (p - nose.point) / length;
        }
    }
    frame.points[std::size_t(nose.index)] = SectionPoint(0.0, 0.0);
    frame.nose = nose.index;
    frame.change = FrameWording(frame.kept, nose.point, chord, scaled.value().unscale);
    return R::success(std::move(frame));
}

}  // namespace vandrix
