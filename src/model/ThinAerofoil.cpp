// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThinAerofoil.h"

#include "SectionGeometry.h"

#include <cmath>
#include <numbers>

namespace vandrix {

namespace {

constexpr int Last = SectionStations - 1;

// Each figure is a weighted sum of the heights; the weights are worked out once.
struct FigureWeights {
    StationValues angle{};   // radians
    StationValues moment{};  // coefficient
};

// With t_j = pi j / N (N = 200) the heights are z(t) = sum c_k cos kt, c_k their discrete cosine
// transform. Then dz/dx = -2 sum k c_k sin kt / sin t, and with
// (1/pi) Int (sin kt / sin t) cos nt dt = 1 for n < k, k - n odd (else 0), the integrals close:
// aL0 = 2 sum_{k >= 1} (-1)^k k c_k and Cm = pi sum_{k >= 2} (-1)^k k c_k.
FigureWeights cosineSeriesWeights() {
    constexpr int N = Last;
    FigureWeights w;
    for (int j = 0; j <= N; ++j) {
        const double end = (j == 0 || j == N) ? 0.5 : 1.0;
        double first = 0.0;  // the k = 1 term
        double rest = 0.0;   // the k >= 2 terms
        for (int k = 1; k <= N; ++k) {
            const double half = k == N ? 0.5 : 1.0;
            // cos(k t_j), its argument reduced to one turn so that it stays accurate.
            const double cosine = std::cos(std::numbers::pi * ((k * j) % (2 * N)) / N);
            const double term = (k % 2 == 0 ? 1.0 : -1.0) * k * half * cosine;
            (k == 1 ? first : rest) += term;
        }
        const double scale = 2.0 / N * end;
        w.angle[std::size_t(j)] = 2.0 * scale * (first + rest);
        w.moment[std::size_t(j)] = std::numbers::pi * scale * rest;
    }
    return w;
}

const FigureWeights& figureWeights() {
    static const FigureWeights weights = cosineSeriesWeights();
    return weights;
}

// The heights of one curve at the stations, carried on past its last point along the stretch
// between the last two stations ahead of it.
StationValues curveHeights(const SectionCurves& curves, int curve) {
    StationValues y{};
    const double endX = curves.x(curve, Last);
    const double endY = curves.y(curve, Last);
    int before = Last - 1;
    while (before > 0 && !(curves.x(curve, before) < endX)) {
        --before;
    }
    const double run = before > 0 ? curves.x(curve, before) - curves.x(curve, before - 1) : 0.0;
    const double slope =
        run > 0.0 ? (curves.y(curve, before) - curves.y(curve, before - 1)) / run : 0.0;
    for (int k = 0; k < SectionStations; ++k) {
        const double x = StationX(k);
        y[std::size_t(k)] = x > endX ? endY + slope * (x - endX) : curves.y(curve, k);
    }
    return y;
}

}  // namespace

StationValues MeanLineHeights(const SectionCurves& curves) {
    const StationValues upper = curveHeights(curves, UpperCurve);
    const StationValues lower = curveHeights(curves, LowerCurve);
    StationValues mean{};
    for (std::size_t k = 0; k < mean.size(); ++k) {
        mean[k] = (upper[k] + lower[k]) / 2.0;
    }
    return mean;
}

ThinAerofoilFigures ThinAerofoil(const StationValues& meanLine) {
    const FigureWeights& w = figureWeights();
    ThinAerofoilFigures figures;
    for (std::size_t k = 0; k < meanLine.size(); ++k) {
        figures.zeroLiftAngle += w.angle[k] * meanLine[k];
        figures.quarterChordMoment += w.moment[k] * meanLine[k];
    }
    figures.zeroLiftAngle *= 180.0 / std::numbers::pi;
    return figures;
}

}  // namespace vandrix
