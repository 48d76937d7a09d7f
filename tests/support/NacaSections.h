// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

namespace vandrix::testing {

// A NACA 4-digit section from its published formulas: camber m at p (fractions of the chord),
// thickness t. Open trailing edge, as the formulas give it.
struct Naca4 {
    double m = 0.0;
    double p = 0.0;
    double t = 0.12;

    double halfThickness(double x) const {
        return 5.0 * t *
               (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
                0.1015 * x * x * x * x);
    }
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
        const double theta = std::atan(slope);
        const double yt = halfThickness(x);
        return {x - side * yt * std::sin(theta), yc + side * yt * std::cos(theta)};
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

// Cosine-spaced points of one surface, leading edge first.
inline std::vector<std::pair<double, double>> nacaSurface(const Naca4& s, int perSide, int side) {
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < perSide; ++i) {
        points.push_back(s.surface((1 - std::cos(std::numbers::pi * i / (perSide - 1))) / 2, side));
    }
    return points;
}

// The whole outline as one run, unrounded: the upper surface from the trailing edge to the
// leading edge, then the lower surface back, as a Selig file lists it.
inline std::vector<std::pair<double, double>> seligRun(const Naca4& s, int perSide) {
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
inline QByteArray seligFile(const Naca4& s, int perSide, const QByteArray& name) {
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
inline QByteArray lednicerFile(const Naca4& s, int perSide, const QByteArray& name) {
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
