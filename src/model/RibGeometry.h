// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"
#include "model/Section.h"

#include <QPointF>
#include <QRectF>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace vandrix {

inline constexpr double MinTemplateChord = 1.0;
inline constexpr double MaxTemplateChord = 5000.0;
// Where a thickened trailing edge starts to depart from the section, as a fraction of the chord.
inline constexpr double TrailingEdgeBlendStart = 0.2;

// A rectangular notch for a spar: `width` mm wide, centred at `position` percent of the chord,
// `depth` mm deep square to the chord from the surface it is cut from.
struct SparNotch {
    enum class Side { Upper, Lower, Both };
    double position = 0.0;
    double width = 0.0;
    double depth = 0.0;
    Side side = Side::Upper;
};

// What makes a rib buildable, applied in this order. Zero leaves a feature out.
struct RibFeatures {
    double teThickness = 0.0;
    double inset = 0.0;
    std::vector<SparNotch> spars;
};

// A closed ring of points in millimetres, y up; the last point joins the first.
using OutlineRing = std::vector<QPointF>;

// A rib at its chord: the nose at the origin, the chord along +x, in millimetres.
struct RibOutline {
    std::vector<OutlineRing> rings;
    double chord = 0.0;
    QRectF bounds() const;  // y up: top() is the lowest y
};

// The added-thickness weight at x (fraction of the chord): 0 up to TrailingEdgeBlendStart,
// then a cubic smoothstep to 1 at the trailing edge, so the surface leaves the section with
// its own slope.
double TrailingEdgeBlend(double x);

// The section with its trailing edge opened to `thickness` (in chord units) where it is
// thinner; each surface moves half the difference, weighted by TrailingEdgeBlend.
SectionCurves WithTrailingEdgeThickness(const SectionCurves& section, double thickness);

// The section blended with `tip` at the section's own stations: y = (1 - w) y + w y_tip(x).
SectionCurves BlendSections(const SectionCurves& root, const SectionCurves& tip, double weight);

// Whether the curves can make a rib, or why not (a point not finite, an outline that spans no
// chord or encloses no area).
Status CheckSection(const SectionCurves& section);

// The plain outline: C times each point, the upper surface from the trailing edge to the nose,
// then the lower surface from the nose back to the trailing edge (402 points).
OutlineRing ScaledOutline(const SectionCurves& section, double chord);

// The rib at `chord` mm with the features applied, or why it cannot be built.
Result<RibOutline> BuildRib(const SectionCurves& section, double chord,
                            const RibFeatures& features);

// The ring offset by `distance` mm along its normals, outward for a positive distance and inward
// for a negative one, as the inset is made (Clipper, round joins); each ring starts at its point
// farthest aft. An inward offset may leave several rings or none.
std::vector<OutlineRing> OffsetOutline(const OutlineRing& ring, double distance);

// The height of a ring set's upper (or lower) edge at x, if a vertical line there meets it.
std::optional<double> SurfaceHeight(const std::vector<OutlineRing>& rings, double x, bool upper);

}  // namespace vandrix
