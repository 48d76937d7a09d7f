// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmoothOutline.h"

#include <Eigen/Dense>

#include <array>
#include <utility>

namespace vandrix {

namespace {

// The noses the leading-edge radius is fitted on, closest first: how far from the leading edge,
// in units of sqrt(2 r) (r the spline's radius; a sqrt(x) nose is that thick at x = 1), and how
// many points a side they must hold.
constexpr std::array<std::pair<double, int>, 3> Noses = {{{0.1, 6}, {0.15, 4}, {0.2, 3}}};
// At most this many fits, each on the nose the last one's radius gives.
constexpr int NoseRounds = 4;
}  // namespace

SmoothOutline::SmoothOutline(SectionPoints points)
    : points_(std::move(points)), t_(points_.size(), 0.0), m_(points_.size(), {0.0, 0.0}) {
    const std::size_t n = points_.size();
    for (std::size_t i = 1; i < n; ++i) {
        t_[i] = t_[i - 1] + (points_[i] - points_[i - 1]).norm();
    }
    if (n < 3) {
        return;
    }
    // Natural ends: the second derivative vanishes at both ends. Thomas algorithm.
    std::vector<double> c(n, 0.0);
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double h0 = t_[i] - t_[i - 1];
        const double h1 = t_[i + 1] - t_[i];
        const SectionPoint d =
            6.0 * ((points_[i + 1] - points_[i]) / h1 - (points_[i] - points_[i - 1]) / h0);
        const double b = 2.0 * (h0 + h1) - h0 * c[i - 1];
        c[i] = h1 / b;
        m_[i] = (d - h0 * m_[i - 1]) / b;
    }
    for (std::size_t i = n - 2; i >= 1; --i) {
        m_[i] -= c[i] * m_[i + 1];
    }
}

SectionPoint SmoothOutline::at(double u) const {
    if (points_.size() < 2) {
        return points_.empty() ? SectionPoint(0.0, 0.0) : points_.front();
    }
    const int i = std::clamp(int(std::floor(u)), 0, int(points_.size()) - 2);
    const auto k = std::size_t(i);
    const double f = std::clamp(u - i, 0.0, 1.0);
    const double g = 1.0 - f;
    const double h = t_[k + 1] - t_[k];
    return g * points_[k] + f * points_[k + 1] +
           h * h / 6.0 * ((g * g * g - g) * m_[k] + (f * f * f - f) * m_[k + 1]);
}

SectionPoint SmoothOutline::velocity(double u) const {
    if (points_.size() < 2) {
        return {1.0, 0.0};
    }
    const int i = std::clamp(int(std::floor(u)), 0, int(points_.size()) - 2);
    const auto k = std::size_t(i);
    const double f = std::clamp(u - i, 0.0, 1.0);
    const double g = 1.0 - f;
    const double h = t_[k + 1] - t_[k];
    return (points_[k + 1] - points_[k]) / h +
           h / 6.0 * (-(3.0 * g * g - 1.0) * m_[k] + (3.0 * f * f - 1.0) * m_[k + 1]);
}

SectionPoint SmoothOutline::acceleration(double u) const {
    if (points_.size() < 2) {
        return {0.0, 0.0};
    }
    const int i = std::clamp(int(std::floor(u)), 0, int(points_.size()) - 2);
    const auto k = std::size_t(i);
    const double f = std::clamp(u - i, 0.0, 1.0);
    return (1.0 - f) * m_[k] + f * m_[k + 1];
}

double SmoothOutline::segmentMaxX(int i) const {
    const auto k = std::size_t(i);
    double best = std::max(points_[k].x(), points_[k + 1].x());
    // x'(f) = a f^2 + b f + c on the segment.
    const double h = t_[k + 1] - t_[k];
    const double mi = m_[k].x();
    const double mj = m_[k + 1].x();
    const double a = h * (mj - mi) / 2.0;
    const double b = h * mi;
    const double c = (points_[k + 1].x() - points_[k].x()) / h - h * (2.0 * mi + mj) / 6.0;
    const auto consider = [&](double f) {
        if (f > 0.0 && f < 1.0) {
            best = std::max(best, at(double(i) + f).x());
        }
    };
    if (std::abs(a) < 1e-300) {
        if (b != 0.0) {
            consider(-c / b);
        }
    } else {
        const double disc = b * b - 4.0 * a * c;
        if (disc >= 0.0) {
            const double r = std::sqrt(disc);
            consider((-b + r) / (2.0 * a));
            consider((-b - r) / (2.0 * a));
        }
    }
    return best;
}

// The radius of curvature of the outline at parameter u. In the frame of the tangent there,
// the outline follows w = c0 + c1 v + c2 v^2 + c3 v^3 + c4 |v|^3 + c5 v^4 (the |v|^3 term is
// what a thickness growing like sqrt(x) + x leaves). A least-squares fit of that form over the
// file's points near u averages out the written decimals, which the spline's second
// derivative follows: on a close nose where the file is dense enough, else on a wider one; a
// file too sparse for either keeps the spline's radius. The nose's size follows from its
// radius: starting from the spline's, the fit is repeated on the nose its own radius gives.
double NoseRadiusAt(const SmoothOutline& outline, double u, double chord) {
    const SectionPoints& points = outline.points();
    const SectionPoint v1 = outline.velocity(u);
    const SectionPoint v2 = outline.acceleration(u);
    const double speed = v1.norm();
    const double curvature = std::abs(v1.x() * v2.y() - v1.y() * v2.x()) / (speed * speed * speed);
    if (!(curvature > 0.0) || !std::isfinite(curvature)) {
        return INFINITY;
    }
    const SectionPoint origin = outline.at(u);
    const SectionPoint across = v1 / speed;
    const SectionPoint along(-across.y(), across.x());
    const double splineRadius = 1.0 / curvature;
    const int below = int(std::ceil(u)) - 1;
    const int above = int(std::floor(u)) + 1;
    for (const auto& [reachFactor, least] : Noses) {
        double radius = splineRadius;
        for (int round = 0; round < NoseRounds; ++round) {
            const double reach = reachFactor * std::sqrt(2.0 * radius * chord);
            std::vector<Eigen::Vector2d> near = {{0.0, 0.0}};  // (v, w)
            bool enough = true;
            for (const int dir : {-1, 1}) {
                int count = 0;
                for (int j = dir < 0 ? below : above; j >= 0 && j < int(points.size());
                     j += dir, ++count) {
                    const SectionPoint d = points[std::size_t(j)] - origin;
                    if (std::abs(d.dot(across)) > reach || std::abs(d.dot(along)) > reach) {
                        break;
                    }
                    near.emplace_back(d.dot(across), d.dot(along));
                }
                enough = enough && count >= least;
            }
            if (!enough) {
                break;
            }
            Eigen::MatrixXd a(Eigen::Index(near.size()), 6);
            Eigen::VectorXd b(Eigen::Index(near.size()));
            for (Eigen::Index r = 0; r < a.rows(); ++r) {
                const double v = near[std::size_t(r)].x();
                a.row(r) << 1.0, v, v * v, v * v * v, std::abs(v * v * v), v * v * v * v;
                b(r) = near[std::size_t(r)].y();
            }
            const Eigen::VectorXd c = a.colPivHouseholderQr().solve(b);
            const double fitted = std::pow(1.0 + c(1) * c(1), 1.5) / std::abs(2.0 * c(2));
            if (!std::isfinite(fitted)) {
                break;
            }
            const bool settled = std::abs(fitted - radius) <= 0.01 * fitted;
            radius = fitted;
            if (settled || round + 1 == NoseRounds) {
                return radius;
            }
        }
    }
    return splineRadius;
}

}  // namespace vandrix
