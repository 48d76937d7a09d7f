// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionGeometry.h"

#include "SectionChecks.h"
#include "SectionFrame.h"
#include "SectionMeasures.h"
#include "SectionWarnings.h"
#include "SmoothOutline.h"
#include "SurfaceSampler.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vandrix {

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
    Result<SectionFrame> frame = NormaliseFrame(run);
    if (!frame) {
        return R::failure(frame.errors());
    }
    ResampledSection section;
    section.keptFrame = frame.value().kept;
    section.frameChange = frame.value().change;
    const int nose = frame.value().nose;
    const SmoothOutline outline(frame.take().points);
    if (const Status surfaces = CheckSurfaces(outline, nose); !surfaces) {
        return R::failure(surfaces.errors());
    }
    const SampledSurfaces sampled = SampleSurfaces(outline, nose);
    section.curves = sampled.curves;
    SectionMeasures& m = section.measures;
    m = MeasureCurves(section.curves);
    // Each check of the thickness refuses on its own, the first that fails giving the reason.
    for (const auto& check : {CheckThicknessFinite, CheckPositiveThickness}) {
        if (const Status checked = check(m); !checked) {
            return R::failure(checked.errors());
        }
    }
    m.leRadius = LeadingEdgeRadius(outline, section.curves, SectionPoint(1.0, 0.0));
    m.teGap = TrailingEdgeGap(outline.points());
    if (const Status finite = CheckFinite(section.curves, m); !finite) {
        return R::failure(finite.errors());
    }
    section.warnings = SectionWarnings(outline, nose, sampled) + ThicknessWarning(m);
    return R::success(section);
}

}  // namespace vandrix
