// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionChecks.h"

#include "SectionGeometry.h"

#include <algorithm>
#include <cmath>

namespace vandrix {

namespace {

// How far a surface may run back towards the leading edge before it counts as folded.
constexpr double FoldTolerance = 0.001;

Status NotSmoothed() {
    return Status::failure(QStringLiteral("the outline cannot be smoothed"));
}

}  // namespace

Status CheckDistinctPoints(std::size_t filePoints, std::size_t distinct) {
    constexpr auto Least = std::size_t(2 * MinSurfacePoints - 1);
    if (distinct >= Least) {
        return Status::success();
    }
    if (filePoints >= Least) {
        return Status::failure(
            QStringLiteral("the %1 points collapse to %2 distinct points at double precision")
                .arg(filePoints)
                .arg(distinct));
    }
    return Status::failure(
        QStringLiteral("fewer than %1 points on a surface").arg(MinSurfacePoints));
}

Status CheckSurfacePoints(int nose, int count) {
    if (nose + 1 < MinSurfacePoints || count - nose < MinSurfacePoints) {
        return Status::failure(QStringLiteral("fewer than %1 points on a surface, which meet at "
                                              "x/c = 0 after %2 and %3 points")
                                   .arg(MinSurfacePoints)
                                   .arg(nose + 1)
                                   .arg(count - nose));
    }
    return Status::success();
}

Status CheckNoFold(const Surface& surface) {
    double reach = surface.point(surface.nose()).x();
    for (int j = surface.nose() + surface.dir(); j != surface.end() + surface.dir();
         j += surface.dir()) {
        if (surface.point(j).x() < reach - FoldTolerance) {
            return Status::failure(QStringLiteral("a surface folds back on itself at x/c = %1")
                                       .arg(QString::number(reach, 'f', 3)));
        }
        reach = std::max(reach, surface.point(j).x());
    }
    return Status::success();
}

Status CheckSurfaces(const SmoothOutline& outline, int nose) {
    if (Status enough = CheckSurfacePoints(nose, int(outline.points().size())); !enough) {
        return enough;
    }
    for (const int dir : {-1, 1}) {
        if (Status unfolded = CheckNoFold(Surface(outline, nose, dir)); !unfolded) {
            return unfolded;
        }
    }
    return Status::success();
}

Status CheckThicknessFinite(const SectionMeasures& measures) {
    return std::isfinite(measures.thickness) ? Status::success() : NotSmoothed();
}

Status CheckPositiveThickness(const SectionMeasures& measures) {
    if (measures.thickness < HeightTolerance) {
        return Status::failure(
            QStringLiteral("no wing section: the outline has no positive thickness"));
    }
    return Status::success();
}

Status CheckFinite(const SectionCurves& curves, const SectionMeasures& measures) {
    bool finite = std::isfinite(measures.leRadius) && std::isfinite(measures.camber);
    for (int k = 0; k < SectionStations; ++k) {
        finite = finite && std::isfinite(curves.y(UpperCurve, k)) &&
                 std::isfinite(curves.y(LowerCurve, k));
    }
    return finite ? Status::success() : NotSmoothed();
}

}  // namespace vandrix
