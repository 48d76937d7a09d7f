// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

namespace vandrix::testing {

// The NACA 4-digit thickness distribution of thickness t: the half thickness at x.
inline double nacaHalfThickness(double t, double x) {
    return 5.0 * t *
           (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
            0.1015 * x * x * x * x);
}

// The point of the upper (side +1) or lower (side -1) surface at mean-line station x: the half
// thickness yt laid square to a mean line of height yc and slope `slope` there, as the NACA
// formulas lay it.
inline std::pair<double, double> laidSquare(double x, double yc, double slope, double yt,
                                            int side) {
    const double theta = std::atan(slope);
    return {x - side * yt * std::sin(theta), yc + side * yt * std::cos(theta)};
}

// A NACA 4-digit section from its published formulas: camber m at p (fractions of the chord),
// thickness t. Open trailing edge, as the formulas give it.
struct Naca4 {
    double m = 0.0;
    double p = 0.0;
    double t = 0.12;

    double halfThickness(double x) const { return nacaHalfThickness(t, x); }
    std::pair<double, double> meanLine(double x) const {  // height and slope
        if (m == 0.0) {
            return {0.0, 0.0};
        }
        if (x < p) {
            return {m / (p * p) * (2 * p * x - x * x), 2 * m / (p * p) * (p - x)};
        }
        const double q = (1 - p) * (1 - p);
        return {m / q * (1 - 2 * p + 2 * p * x - x * x), 2 * m / q * (p - x)};
    }
    // The point of the upper (side +1) or lower (side -1) surface at mean-line station x.
    std::pair<double, double> surface(double x, int side) const {
        const auto [yc, slope] = meanLine(x);
        return laidSquare(x, yc, slope, halfThickness(x), side);
    }
    double leRadius() const { return 1.1019 * t * t; }

    // Dense outline of one surface, from the leading edge to the trailing edge.
    std::vector<std::pair<double, double>> dense(int side, int count = 20000) const {
        std::vector<std::pair<double, double>> points;
        for (int i = 0; i <= count; ++i) {
            points.push_back(surface((1 - std::cos(std::numbers::pi * i / count)) / 2, side));
        }
        return points;
    }
};

// A NACA 5-digit section from its published formulas: the mean line of the 2x0 series (r = 0)
// or of the reflexed 2x1 series (r = k2/k1), its maximum-camber parameter m and k1 from the
// published tables (23012: m = 0.2025, k1 = 15.957), the 4-digit thickness t laid square to it.
struct Naca5 {
    double m = 0.2025;
    double k1 = 15.957;
    double r = 0.0;
    double t = 0.12;

    std::pair<double, double> meanLine(double x) const {  // height and slope
        const double tail = r * std::pow(1 - m, 3);
        const double front = x < m ? 1.0 : r;  // the cubic term ahead of m and behind it
        return {k1 / 6 * (front * std::pow(x - m, 3) - tail * x - m * m * m * x + m * m * m),
                k1 / 6 * (3 * front * (x - m) * (x - m) - tail - m * m * m)};
    }
    std::pair<double, double> surface(double x, int side) const {
        const auto [yc, slope] = meanLine(x);
        return laidSquare(x, yc, slope, nacaHalfThickness(t, x), side);
    }
};

// A section of any mean line (height and slope at x) with the 4-digit thickness t laid at equal
// x, so that the middle of its surfaces at equal x is the mean line itself.
struct MeanLineSection {
    std::function<std::pair<double, double>(double)> meanLine;
    double t = 0.12;

    std::pair<double, double> surface(double x, int side) const {
        return {x, meanLine(x).first + side * nacaHalfThickness(t, x)};
    }
};

// Cosine-spaced points of one surface, leading edge first.
template <typename Drawn>
std::vector<std::pair<double, double>> nacaSurface(const Drawn& s, int perSide, int side) {
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < perSide; ++i) {
        points.push_back(s.surface((1 - std::cos(std::numbers::pi * i / (perSide - 1))) / 2, side));
    }
    return points;
}

// The whole outline as one run, unrounded: the upper surface from the trailing edge to the
// leading edge, then the lower surface back, as a Selig file lists it.
template <typename Drawn>
std::vector<std::pair<double, double>> seligRun(const Drawn& s, int perSide) {
    std::vector<std::pair<double, double>> run = nacaSurface(s, perSide, 1);
    std::reverse(run.begin(), run.end());
    const auto lower = nacaSurface(s, perSide, -1);
    run.insert(run.end(), lower.begin() + 1, lower.end());
    return run;
}

inline QByteArray coordinateLine(double x, double y) {
    return QByteArray::number(x, 'f', 5) + "  " + QByteArray::number(y, 'f', 5) + "\n";
}

// A Selig file: name, then upper surface from the trailing edge to the leading edge and the
// lower back, coordinates rounded to five decimals.
template <typename Drawn>
QByteArray seligFile(const Drawn& s, int perSide, const QByteArray& name) {
    QByteArray bytes = name + "\n";
    const auto upper = nacaSurface(s, perSide, 1);
    const auto lower = nacaSurface(s, perSide, -1);
    for (auto it = upper.rbegin(); it != upper.rend(); ++it) {
        bytes += coordinateLine(it->first, it->second);
    }
    for (std::size_t i = 1; i < lower.size(); ++i) {
        bytes += coordinateLine(lower[i].first, lower[i].second);
    }
    return bytes;
}

// A Lednicer file: name, the two counts, then each surface from the leading edge.
template <typename Drawn>
QByteArray lednicerFile(const Drawn& s, int perSide, const QByteArray& name) {
    QByteArray bytes =
        name + "\n" + QByteArray::number(perSide) + ".  " + QByteArray::number(perSide) + ".\n\n";
    for (const int side : {1, -1}) {
        for (const auto& [x, y] : nacaSurface(s, perSide, side)) {
            bytes += coordinateLine(x, y);
        }
        bytes += "\n";
    }
    return bytes;
}

// Distance from (x, y) to a polyline.
inline double distanceTo(const std::vector<std::pair<double, double>>& line, double x, double y) {
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 1; i < line.size(); ++i) {
        const auto [ax, ay] = line[i - 1];
        const auto [bx, by] = line[i];
        const double dx = bx - ax;
        const double dy = by - ay;
        const double len2 = dx * dx + dy * dy;
        const double f =
            len2 > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / len2, 0.0, 1.0) : 0.0;
        best = std::min(best, std::hypot(ax + f * dx - x, ay + f * dy - y));
    }
    return best;
}

// y of a polyline (leading edge first) where it first reaches x.
inline double heightAt(const std::vector<std::pair<double, double>>& line, double x) {
    for (std::size_t i = 1; i < line.size(); ++i) {
        const auto [ax, ay] = line[i - 1];
        const auto [bx, by] = line[i];
        if ((x - ax) * (x - bx) <= 0 && ax != bx) {
            return ay + (by - ay) * (x - ax) / (bx - ax);
        }
    }
    return line.back().second;
}

}  // namespace vandrix::testing
