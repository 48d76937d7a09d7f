// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionGeometry.h"

#include "SectionMeasures.h"
#include "SmoothOutline.h"

#include <Eigen/Geometry>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace vandrix {

namespace {

// How near the normalised frame a file must be to keep it, in chords.
constexpr double FrameTolerance = 0.0005;
// How far a surface may run back towards the leading edge before it counts as folded.
constexpr double FoldTolerance = 0.001;
// Points closer than this (relative to the outline's size) are one point written twice.
constexpr double RepeatTolerance = 1e-7;
// Published files often cross by a few 1e-7 at the trailing edge: no crossing.
constexpr double CrossTolerance = 1e-6;
// A surface that ends before this x stops short of the trailing edge.
constexpr double ShortSurface = 0.95;
// A point farther than this off the smooth line through its neighbours is a spike.
constexpr double SpikeTolerance = 0.01;
// An outline thicker than this is no wing section.
constexpr double MaxThickness = 0.5;

QString number(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}

// The surface starting at the leading edge (index le) and running in direction dir (+1 or -1)
// to the end of the run.
struct Surface {
    const SmoothOutline& outline;
    int le;
    int dir;

    int end() const { return dir > 0 ? int(outline.points().size()) - 1 : 0; }
    const SectionPoint& point(int j) const { return outline.points()[std::size_t(j)]; }

    // x where the surface runs back towards the leading edge, or NaN.
    double foldsAt() const {
        double reach = point(le).x();
        for (int j = le + dir; j != end() + dir; j += dir) {
            if (point(j).x() < reach - FoldTolerance) {
                return reach;
            }
            reach = std::max(reach, point(j).x());
        }
        return std::numeric_limits<double>::quiet_NaN();
    }

    // y where the surface, followed from the leading edge, first reaches each x (rising), in
    // one sweep: the first reach of a larger x lies beyond that of a smaller one.
    void heights(const std::array<double, SectionStations>& xs,
                 std::array<double, SectionStations>& ys) const {
        int far = le;
        for (int j = le; j != end() + dir; j += dir) {
            if (point(j).x() > point(far).x()) {
                far = j;
            }
        }
        const int segments = std::abs(end() - le);
        int s = 0;          // segments passed, from the leading edge
        double from = 0.0;  // how far along segment s, 0 to 1 in the direction of travel
        const auto u = [&](int seg, double f) {
            return dir > 0 ? double(le + seg) + f : double(le - seg) - f;
        };
        for (std::size_t k = 0; k < xs.size(); ++k) {
            const double x = xs[k];
            if (x <= point(le).x()) {
                ys[k] = point(le).y();
                continue;
            }
            bool found = false;
            for (; s < segments && !found; from = 0.0, ++s) {
                const int index = dir > 0 ? le + s : le - s - 1;
                if (outline.segmentMaxX(index) < x) {
                    continue;
                }
                // The first sample at or beyond x, then false position (Illinois) back to the
                // crossing.
                constexpr int Samples = 4;
                double lo = from;
                double xlo = outline.at(u(s, lo)).x() - x;
                for (int i = 1; i <= Samples && !found; ++i) {
                    const double hi = from + (1.0 - from) * i / Samples;
                    const double xhi = outline.at(u(s, hi)).x() - x;
                    if (xhi < 0.0) {
                        lo = hi;
                        xlo = xhi;
                        continue;
                    }
                    double a = lo;
                    double fa = std::min(xlo, 0.0);
                    double b = hi;
                    double fb = xhi;
                    int side = 0;
                    for (int r = 0; r < 100 && b - a > 1e-13 && fb != 0.0; ++r) {
                        const double c = fa == fb ? (a + b) / 2.0 : (a * fb - b * fa) / (fb - fa);
                        const double fc = outline.at(u(s, c)).x() - x;
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
                    ys[k] = outline.at(u(s, b)).y();
                    from = b;
                    found = true;
                }
                if (found) {
                    break;
                }
            }
            if (!found) {
                ys[k] = point(far).y();  // beyond the surface's reach: its farthest point's height
            }
        }
    }
};

// The parameter of the smooth outline's point farthest from `te`.
double farthestFrom(const SmoothOutline& outline, const SectionPoint& te) {
    return LargestAt(outline, [&](const SectionPoint& p) { return (p - te).squaredNorm(); });
}

SectionPoints withoutRepeats(const SectionPoints& run, double* extent) {
    Eigen::Vector2d lo = run.front();
    Eigen::Vector2d hi = run.front();
    for (const SectionPoint& p : run) {
        lo = lo.cwiseMin(p);
        hi = hi.cwiseMax(p);
    }
    *extent = (hi - lo).norm();
    const double tolerance = RepeatTolerance * *extent;
    SectionPoints points;
    points.reserve(run.size());
    for (const SectionPoint& p : run) {
        if (points.empty() || (p - points.back()).norm() > tolerance) {
            points.push_back(p);
        }
    }
    return points;
}

}  // namespace

double StationX(int i) {
    return (1.0 - std::cos(std::numbers::pi * i / (SectionStations - 1))) / 2.0;
}

SectionPoints JoinedRun(const std::vector<SectionPoints>& runs) {
    if (runs.size() != 2) {
        return runs.empty() ? SectionPoints() : runs.front();
    }
    SectionPoints upper = runs[0];
    SectionPoints lower = runs[1];
    // Each surface starts at the leading edge: the pair of ends that lie together.
    double best = INFINITY;
    bool flipUpper = false;
    bool flipLower = false;
    for (const bool fu : {false, true}) {
        for (const bool fl : {false, true}) {
            const SectionPoint& a = fu ? upper.back() : upper.front();
            const SectionPoint& b = fl ? lower.back() : lower.front();
            if ((a - b).norm() < best) {
                best = (a - b).norm();
                flipUpper = fu;
                flipLower = fl;
            }
        }
    }
    if (!flipUpper) {
        std::reverse(upper.begin(), upper.end());
    }
    if (flipLower) {
        std::reverse(lower.begin(), lower.end());
    }
    upper.insert(upper.end(), lower.begin(), lower.end());
    return upper;
}

Result<ResampledSection> ResampleSection(const SectionPoints& run) {
    using R = Result<ResampledSection>;
    if (run.empty()) {
        return R::failure(QStringLiteral("no points"));
    }
    ResampledSection section;
    const int runLast = int(run.size()) - 1;

    // A file drawn in its designer's frame keeps that frame: its point near (0, 0) is the
    // leading edge.
    const SectionPoint runTe = (run.front() + run.back()) / 2.0;
    int designerLe = std::min(1, runLast);
    for (int j = 1; j < runLast; ++j) {
        if (run[std::size_t(j)].norm() < run[std::size_t(designerLe)].norm()) {
            designerLe = j;
        }
    }
    section.keptFrame = run[std::size_t(designerLe)].norm() <= FrameTolerance &&
                        (runTe - SectionPoint(1.0, 0.0)).norm() <= FrameTolerance;

    // Any other file is first scaled by a power of two (exactly) to a size near 1, so that
    // lengths neither underflow nor overflow.
    SectionPoints scaled = run;
    double unscale = 1.0;
    if (!section.keptFrame) {
        double size = 0.0;
        for (const SectionPoint& p : run) {
            size = std::max({size, std::abs(p.x()), std::abs(p.y())});
        }
        if (!std::isfinite(size)) {
            return R::failure(QStringLiteral("coordinates too large"));
        }
        if (size == 0.0) {
            return R::failure(QStringLiteral("every point lies at (0, 0)"));
        }
        const int exponent = std::ilogb(size);
        unscale = std::ldexp(1.0, exponent);
        for (SectionPoint& p : scaled) {
            p = SectionPoint(std::ldexp(p.x(), -exponent), std::ldexp(p.y(), -exponent));
        }
    }
    double extent = 0.0;
    SectionPoints points = withoutRepeats(scaled, &extent);
    if (points.size() < std::size_t(2 * MinSurfacePoints - 1)) {
        if (run.size() >= std::size_t(2 * MinSurfacePoints - 1)) {
            return R::failure(
                QStringLiteral("the %1 points collapse to %2 distinct points at double precision")
                    .arg(run.size())
                    .arg(points.size()));
        }
        return R::failure(
            QStringLiteral("fewer than %1 points on a surface").arg(MinSurfacePoints));
    }
    const int last = int(points.size()) - 1;
    const double tolerance = RepeatTolerance * extent;

    int le = 1;
    SectionPoint leading;
    SectionPoint te = (points.front() + points.back()) / 2.0;
    if (section.keptFrame) {
        for (int j = 1; j < last; ++j) {
            if (points[std::size_t(j)].norm() < points[std::size_t(le)].norm()) {
                le = j;
            }
        }
        leading = points[std::size_t(le)];
    } else {
        // The nose is the point of the smooth outline farthest from the trailing edge's
        // midpoint.
        const SmoothOutline raw(points);
        const double u = farthestFrom(raw, te);
        leading = raw.at(u);
        const int segment = std::clamp(int(std::floor(u)), 0, last - 1);
        if ((leading - points[std::size_t(segment)]).norm() <= tolerance) {
            le = segment;
        } else if ((leading - points[std::size_t(segment) + 1]).norm() <= tolerance) {
            le = segment + 1;
        } else {
            le = segment + 1;
            points.insert(points.begin() + le, leading);
        }
    }
    // The leading edge goes to (0, 0) and the trailing edge's midpoint to (1, 0).
    const SectionPoint chord = te - leading;
    const double length = chord.norm();
    if (!(length > tolerance) || !std::isfinite(length)) {
        return R::failure(QStringLiteral("the leading and trailing edges coincide"));
    }
    const double angle = std::atan2(chord.y(), chord.x());
    const Eigen::Rotation2Dd turn(-angle);
    if (leading != SectionPoint(0.0, 0.0) || te != SectionPoint(1.0, 0.0)) {
        for (SectionPoint& p : points) {
            p = turn * (p - leading) / length;
        }
    }
    points[std::size_t(le)] = SectionPoint(0.0, 0.0);
    te = SectionPoint(1.0, 0.0);
    const QString change = QStringLiteral(
                               "leading edge (%1, %2) moved to (0, 0), chord turned by %3 degrees, "
                               "scaled by %4")
                               .arg(QString::number(leading.x() * unscale, 'g', 6),
                                    QString::number(leading.y() * unscale, 'g', 6),
                                    number(-angle * 180.0 / std::numbers::pi, 4),
                                    QString::number(1.0 / (length * unscale), 'g', 6));
    if (!section.keptFrame) {
        section.frameChange = change;
    } else if (leading == SectionPoint(0.0, 0.0) && chord == SectionPoint(1.0, 0.0)) {
        section.frameChange = QStringLiteral("none, the file is in the normalised frame");
    } else {
        section.frameChange = QStringLiteral("the designer's frame, ") + change;
    }

    const SmoothOutline outline(std::move(points));
    const int n = int(outline.points().size());
    if (le + 1 < MinSurfacePoints || n - le < MinSurfacePoints) {
        return R::failure(QStringLiteral("fewer than %1 points on a surface, which meet at x/c "
                                         "= 0 after %2 and %3 points")
                              .arg(MinSurfacePoints)
                              .arg(le + 1)
                              .arg(n - le));
    }
    const Surface first{outline, le, -1};
    const Surface second{outline, le, 1};
    for (const Surface* surface : {&first, &second}) {
        const double fold = surface->foldsAt();
        if (!std::isnan(fold)) {
            return R::failure(
                QStringLiteral("a surface folds back on itself at x/c = %1").arg(number(fold, 3)));
        }
    }

    // Each surface's samples, from the leading edge to the trailing edge.
    struct Samples {
        std::array<double, SectionStations> x{};
        std::array<double, SectionStations> y{};
    };
    Samples a;
    Samples b;
    for (int i = 0; i < SectionStations; ++i) {
        a.x[std::size_t(i)] = b.x[std::size_t(i)] = StationX(i);
    }
    first.heights(a.x, a.y);
    second.heights(b.x, b.y);
    a.y[0] = b.y[0] = 0.0;
    double sum = 0.0;
    for (std::size_t k = 0; k < std::size_t(SectionStations); ++k) {
        sum += a.y[k] - b.y[k];
    }
    // Point 200 is the surface's own trailing-edge end where that lies within the chord.
    for (auto [curve, surface] : {std::pair(&a, &first), std::pair(&b, &second)}) {
        const SectionPoint& end = surface->point(surface->end());
        if (end.x() <= 1.0 && end.x() >= 0.0) {
            curve->x.back() = end.x();
            curve->y.back() = end.y();
        }
    }
    const bool firstUpper = sum >= 0.0;
    for (int i = 0; i < SectionStations; ++i) {
        const auto k = std::size_t(i);
        const Samples& upper = firstUpper ? a : b;
        const Samples& lower = firstUpper ? b : a;
        section.curves.x(UpperCurve, i) = upper.x[k];
        section.curves.y(UpperCurve, i) = upper.y[k];
        section.curves.x(LowerCurve, i) = lower.x[k];
        section.curves.y(LowerCurve, i) = lower.y[k];
    }
    const PointArray& xs = section.curves.x;
    const PointArray& ys = section.curves.y;

    SectionMeasures& m = section.measures;
    double crossing = 0.0;
    double crossingX = 0.0;
    for (int k = 0; k < SectionStations; ++k) {
        const double thickness = ys(UpperCurve, k) - ys(LowerCurve, k);
        const double camber = (ys(UpperCurve, k) + ys(LowerCurve, k)) / 2.0;
        if (thickness > m.thickness) {
            m.thickness = thickness;
            m.thicknessX = xs(UpperCurve, k);
        }
        if (-thickness > crossing) {
            crossing = -thickness;
            crossingX = xs(UpperCurve, k);
        }
        if (std::abs(camber) > std::abs(m.camber)) {
            m.camber = camber;
            m.camberX = xs(UpperCurve, k);
        }
    }
    if (!std::isfinite(m.thickness)) {
        return R::failure(QStringLiteral("the outline cannot be smoothed"));
    }
    if (m.thickness > MaxThickness) {
        return R::failure(QStringLiteral("no wing section: %1 % of the chord thick (more than "
                                         "50 %)")
                              .arg(number(m.thickness * 100.0, 1)));
    }
    if (m.thickness < CrossTolerance) {
        return R::failure(QStringLiteral("no wing section: the outline has no positive thickness"));
    }
    // A symmetric section's camber is rounding noise: none, at the leading edge.
    if (std::abs(m.camber) < 0.00005) {
        m.camber = 0.0;
        m.camberX = 0.0;
    }
    m.leRadius = LeadingEdgeRadius(outline, section, te);
    m.teGap = (outline.points().front() - outline.points().back()).norm();

    bool finite = std::isfinite(m.leRadius) && std::isfinite(m.camber);
    for (int k = 0; k < SectionStations; ++k) {
        finite = finite && std::isfinite(ys(UpperCurve, k)) && std::isfinite(ys(LowerCurve, k));
    }
    if (!finite) {
        return R::failure(QStringLiteral("the outline cannot be smoothed"));
    }

    if (crossing > CrossTolerance) {
        section.warnings << QStringLiteral("the surfaces cross, by %1 % of the chord at x/c = %2")
                                .arg(number(crossing * 100.0, 3), number(crossingX, 3));
    }
    for (const auto& [surface, name] : {std::pair(&first, firstUpper ? "upper" : "lower"),
                                        std::pair(&second, firstUpper ? "lower" : "upper")}) {
        double reach = 0.0;
        for (int j = le; j != surface->end() + surface->dir; j += surface->dir) {
            reach = std::max(reach, surface->point(j).x());
        }
        if (reach < ShortSurface) {
            section.warnings << QStringLiteral(
                                    "the %1 surface stops at x/c = %2, short of the "
                                    "trailing edge")
                                    .arg(QLatin1String(name), number(reach, 3));
        }
    }
    double spike = 0.0;
    double spikeX = 0.0;
    for (int j = 1; j + 1 < n; ++j) {
        if (j == le) {
            continue;  // the nose: a blunt one is no spike
        }
        const double off = PointOffLine(outline.points(), j);
        if (off > spike) {
            spike = off;
            spikeX = outline.points()[std::size_t(j)].x();
        }
    }
    if (spike > SpikeTolerance) {
        section.warnings << QStringLiteral(
                                "the point at x/c = %1 lies %2 % of the chord off the "
                                "smooth line through its neighbours")
                                .arg(number(spikeX, 3), number(spike * 100.0, 2));
    }
    return R::success(section);
}

}  // namespace vandrix
