#include "SectionGeometry.h"

#include <Eigen/Geometry>
#include <unsupported/Eigen/Splines>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vandrix {

namespace {

using Spline2d = Eigen::Spline<double, 2>;

// Points either side of a segment that its spline piece is fitted on.
constexpr int Window = 10;
// The noses the leading-edge radius is fitted on, closest first: how far from the leading edge,
// in units of sqrt(2 r) (r the spline's radius; a sqrt(x) nose is that thick at x = 1), and how
// many points a side they must hold.
constexpr std::array<std::pair<double, int>, 2> Noses = {{{0.1, 6}, {0.2, 3}}};
// How near the normalised frame a file must be to keep it, in chords.
constexpr double FrameTolerance = 0.0005;
// How far a surface may run back towards the leading edge before it counts as folded.
constexpr double FoldTolerance = 0.001;
// Points closer than this (relative to the outline's size) are one point written twice.
constexpr double RepeatTolerance = 1e-7;

// Golden-section search for the largest value of f on [a, b].
template <typename F>
double maximise(F f, double a, double b) {
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

    bool folds() const {
        double reach = point(le).x();
        for (int j = le + dir; j != end() + dir; j += dir) {
            if (point(j).x() < reach - FoldTolerance) {
                return true;
            }
            reach = std::max(reach, point(j).x());
        }
        return false;
    }

    // y where the surface, followed from the leading edge, first reaches x.
    double yAt(double x) const {
        for (int j = le; j != end(); j += dir) {
            const double xa = point(j).x();
            const double xb = point(j + dir).x();
            if ((x - xa) * (x - xb) > 0.0) {
                continue;
            }
            double lo = std::min(j, j + dir);
            double hi = lo + 1.0;
            const bool rising = point(int(lo)).x() <= point(int(hi)).x();
            for (int i = 0; i < 60; ++i) {
                const double mid = (lo + hi) / 2.0;
                ((outline.at(mid).x() < x) == rising ? lo : hi) = mid;
            }
            return outline.at((lo + hi) / 2.0).y();
        }
        // Beyond the surface's reach: the nearest end's height.
        int far = le;
        for (int j = le; j != end() + dir; j += dir) {
            if (point(j).x() > point(far).x()) {
                far = j;
            }
        }
        return x <= point(le).x() ? point(le).y() : point(far).y();
    }
};

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

struct SmoothOutline::Piece {
    Spline2d spline;
    double t0;
    double t1;
};

SmoothOutline::SmoothOutline(SectionPoints points)
    : points_(std::move(points)), pieces_(points_.size() > 1 ? points_.size() - 1 : 0) {}

SmoothOutline::~SmoothOutline() = default;

const SmoothOutline::Piece& SmoothOutline::piece(int segment) const {
    std::unique_ptr<Piece>& slot = pieces_[std::size_t(segment)];
    if (!slot) {
        const int n = int(points_.size());
        const int lo = std::max(0, segment - Window);
        const int hi = std::min(n - 1, segment + 1 + Window);
        const int m = hi - lo + 1;
        Eigen::Matrix2Xd pts(2, m);
        for (int j = 0; j < m; ++j) {
            pts.col(j) = points_[std::size_t(lo) + std::size_t(j)];
        }
        Spline2d::KnotVectorType params;
        Eigen::ChordLengths(pts, params);
        const int degree = std::min(3, m - 1);
        slot = std::make_unique<Piece>(
            Piece{Eigen::SplineFitting<Spline2d>::Interpolate(pts, degree, params),
                  params(segment - lo), params(segment + 1 - lo)});
    }
    return *slot;
}

SectionPoint SmoothOutline::at(double u) const {
    if (points_.size() < 2) {
        return points_.empty() ? SectionPoint(0.0, 0.0) : points_.front();
    }
    const int last = int(points_.size()) - 2;
    const int segment = std::clamp(int(std::floor(u)), 0, last);
    const double f = std::clamp(u - segment, 0.0, 1.0);
    const Piece& p = piece(segment);
    return p.spline(p.t0 + f * (p.t1 - p.t0));
}

double SmoothOutline::curvatureAt(int i) const {
    if (points_.size() < 3) {
        return 0.0;
    }
    const int segment = std::min(i, int(points_.size()) - 2);
    const Piece& p = piece(segment);
    const auto d = p.spline.derivatives(segment == i ? p.t0 : p.t1, 2);
    const double speed = std::hypot(d(0, 1), d(1, 1));
    return std::abs(d(0, 1) * d(1, 2) - d(1, 1) * d(0, 2)) / (speed * speed * speed);
}

SectionPoint SmoothOutline::tangentAt(int i) const {
    const int segment = std::min(i, int(points_.size()) - 2);
    const Piece& p = piece(segment);
    const auto d = p.spline.derivatives(segment == i ? p.t0 : p.t1, 1);
    return SectionPoint(d(0, 1), d(1, 1)).normalized();
}

namespace {

// Radius of curvature of the outline at its leading edge (index le), given the spline's. In the
// frame of the tangent there, a round nose follows u = c0 + c1 v + c2 v^2 + c3 v^3 + c4 |v|^3 +
// c5 v^4 (the |v|^3 term is what a thickness growing like sqrt(x) + x leaves). A least-squares
// fit of that form over the points within the nose averages out the written decimals, which the
// spline's second derivative follows: on a close nose where the file is dense enough, else on a
// wider one; a file too sparse for either keeps the spline's radius.
double leadingEdgeRadius(const SmoothOutline& outline, int le, double splineRadius) {
    const SectionPoints& points = outline.points();
    const SectionPoint& origin = points[std::size_t(le)];
    const SectionPoint tangent = outline.tangentAt(le);
    const SectionPoint normal(tangent.y(), -tangent.x());
    for (const auto& [reachFactor, least] : Noses) {
        const double reach = reachFactor * std::sqrt(2.0 * splineRadius);
        std::vector<Eigen::Vector2d> near = {{0.0, 0.0}};  // (v, u)
        bool enough = true;
        for (const int dir : {-1, 1}) {
            int count = 0;
            for (int j = le + dir; j >= 0 && j < int(points.size()); j += dir, ++count) {
                const SectionPoint d = points[std::size_t(j)] - origin;
                if (std::abs(d.dot(tangent)) > reach || std::abs(d.dot(normal)) > reach) {
                    break;
                }
                near.emplace_back(d.dot(tangent), d.dot(normal));
            }
            enough = enough && count >= least;
        }
        if (!enough) {
            continue;
        }
        Eigen::MatrixXd a(Eigen::Index(near.size()), 6);
        Eigen::VectorXd b(Eigen::Index(near.size()));
        for (Eigen::Index r = 0; r < a.rows(); ++r) {
            const double v = near[std::size_t(r)].x();
            a.row(r) << 1.0, v, v * v, v * v * v, std::abs(v * v * v), v * v * v * v;
            b(r) = near[std::size_t(r)].y();
        }
        const Eigen::VectorXd c = a.colPivHouseholderQr().solve(b);
        const double radius = std::pow(1.0 + c(1) * c(1), 1.5) / std::abs(2.0 * c(2));
        return std::isfinite(radius) ? radius : splineRadius;
    }
    return splineRadius;
}

}  // namespace

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
    double extent = 0.0;
    SectionPoints points = withoutRepeats(run, &extent);
    if (!std::isfinite(extent)) {
        return R::failure(QStringLiteral("coordinates too large"));
    }
    if (points.size() < std::size_t(2 * MinSurfacePoints - 1)) {
        return R::failure(
            QStringLiteral("fewer than %1 points on a surface").arg(MinSurfacePoints));
    }

    ResampledSection section;
    const SectionPoint te = (points.front() + points.back()) / 2.0;
    const int last = int(points.size()) - 1;

    // A file in the normalised frame keeps it, with its point at (0, 0) as the leading edge.
    int le = 1;
    for (int j = 1; j < last; ++j) {
        if (points[std::size_t(j)].norm() < points[std::size_t(le)].norm()) {
            le = j;
        }
    }
    section.keptFrame = points[std::size_t(le)].norm() <= FrameTolerance &&
                        (te - SectionPoint(1.0, 0.0)).norm() <= FrameTolerance;
    if (section.keptFrame) {
        section.frameChange = QStringLiteral("none, the file is in the normalised frame");
    } else {
        // Otherwise the leading edge is the point of the smooth outline farthest from the
        // trailing edge's midpoint; it becomes (0, 0) and the chord the unit x axis.
        const SmoothOutline raw(points);
        int far = 0;
        for (int j = 1; j <= last; ++j) {
            if ((points[std::size_t(j)] - te).norm() > (points[std::size_t(far)] - te).norm()) {
                far = j;
            }
        }
        const auto distance = [&](double u) { return (raw.at(u) - te).squaredNorm(); };
        double u = far;
        for (const int side : {-1, 1}) {
            const int other = far + side;
            if (other < 0 || other > last) {
                continue;
            }
            const double v = maximise(distance, std::min(far, other), std::max(far, other));
            if (distance(v) > distance(u)) {
                u = v;
            }
        }
        const SectionPoint leading = raw.at(u);
        const int segment = std::clamp(int(std::floor(u)), 0, last - 1);
        const double tolerance = RepeatTolerance * extent;
        if ((leading - points[std::size_t(segment)]).norm() <= tolerance) {
            le = segment;
        } else if ((leading - points[std::size_t(segment) + 1]).norm() <= tolerance) {
            le = segment + 1;
        } else {
            le = segment + 1;
            points.insert(points.begin() + le, leading);
        }
        const SectionPoint chord = te - leading;
        const double length = chord.norm();
        if (!(length > tolerance) || !std::isfinite(length)) {
            return R::failure(QStringLiteral("the leading and trailing edges coincide"));
        }
        const double angle = std::atan2(chord.y(), chord.x());
        const Eigen::Rotation2Dd turn(-angle);
        for (SectionPoint& p : points) {
            p = turn * (p - leading) / length;
        }
        points[std::size_t(le)] = SectionPoint(0.0, 0.0);
        section.frameChange =
            QStringLiteral(
                "leading edge (%1, %2) moved to (0, 0), chord turned by %3 degrees, scaled by %4")
                .arg(number(leading.x(), 6), number(leading.y(), 6),
                     number(-angle * 180.0 / std::numbers::pi, 4),
                     QString::number(1.0 / length, 'g', 6));
    }

    const SmoothOutline outline(std::move(points));
    const int n = int(outline.points().size());
    if (le + 1 < MinSurfacePoints || n - le < MinSurfacePoints) {
        return R::failure(
            QStringLiteral("fewer than %1 points on a surface").arg(MinSurfacePoints));
    }
    const Surface first{outline, le, -1};
    const Surface second{outline, le, 1};
    if (first.folds() || second.folds()) {
        return R::failure(QStringLiteral("a surface folds back on itself"));
    }

    SectionCurve a;
    SectionCurve b;
    double sum = 0.0;
    for (int i = 0; i < SectionStations; ++i) {
        const auto k = std::size_t(i);
        a.x[k] = b.x[k] = StationX(i);
        a.y[k] = i == 0 ? outline.points()[std::size_t(le)].y() : first.yAt(a.x[k]);
        b.y[k] = i == 0 ? a.y[k] : second.yAt(b.x[k]);
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
    section.upper = sum >= 0.0 ? a : b;
    section.lower = sum >= 0.0 ? b : a;

    SectionMeasures& m = section.measures;
    for (std::size_t k = 0; k < std::size_t(SectionStations); ++k) {
        const double thickness = section.upper.y[k] - section.lower.y[k];
        const double camber = (section.upper.y[k] + section.lower.y[k]) / 2.0;
        if (thickness > m.thickness) {
            m.thickness = thickness;
            m.thicknessX = section.upper.x[k];
        }
        if (std::abs(camber) > std::abs(m.camber)) {
            m.camber = camber;
            m.camberX = section.upper.x[k];
        }
    }
    const double curvature = outline.curvatureAt(le);
    m.leRadius = curvature > 0.0 ? leadingEdgeRadius(outline, le, 1.0 / curvature) : 0.0;
    m.teGap = (outline.points().front() - outline.points().back()).norm();

    bool finite =
        std::isfinite(m.leRadius) && std::isfinite(m.thickness) && std::isfinite(m.camber);
    for (std::size_t k = 0; k < std::size_t(SectionStations); ++k) {
        finite = finite && std::isfinite(section.upper.y[k]) && std::isfinite(section.lower.y[k]);
    }
    if (!finite) {
        return R::failure(QStringLiteral("the outline cannot be smoothed"));
    }
    return R::success(section);
}

}  // namespace vandrix
