// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RibGeometry.h"

#include <clipper.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace vandrix {

namespace {

namespace cl = ClipperLib;

// Clipper works on integers: 100,000 units a millimetre keeps a 5 m chord far inside its range
// and rounding far below the 0.01 mm the outputs promise.
constexpr double ClipperScale = 100000.0;
// Largest deviation of a rounded inset corner from its true arc, in millimetres.
constexpr double ArcToleranceMm = 0.001;

cl::Path toClipper(const OutlineRing& ring) {
    cl::Path path;
    path.reserve(ring.size());
    for (const QPointF& p : ring) {
        path.push_back({static_cast<cl::cInt>(std::llround(p.x() * ClipperScale)),
                        static_cast<cl::cInt>(std::llround(p.y() * ClipperScale))});
    }
    return path;
}

// Each ring starts at its point farthest aft (the trailing edge), so outputs are stable.
std::vector<OutlineRing> fromClipper(const cl::Paths& paths) {
    std::vector<OutlineRing> rings;
    for (const cl::Path& path : paths) {
        if (path.size() < 3) {
            continue;
        }
        OutlineRing ring;
        ring.reserve(path.size());
        for (const cl::IntPoint& p : path) {
            ring.emplace_back(static_cast<double>(p.X) / ClipperScale,
                              static_cast<double>(p.Y) / ClipperScale);
        }
        const auto aft = std::max_element(ring.begin(), ring.end(), [](QPointF a, QPointF b) {
            return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
        });
        std::rotate(ring.begin(), aft, ring.end());
        rings.push_back(std::move(ring));
    }
    return rings;
}

// y of a curve at x, linear between its points; the ends hold beyond them.
double heightAt(const SectionCurves& curves, int curve, double x) {
    if (x <= curves.x(curve, 0)) {
        return curves.y(curve, 0);
    }
    for (int i = 1; i < SectionStations; ++i) {
        const QPointF a = curves.point(curve, i - 1);
        const QPointF b = curves.point(curve, i);
        if ((x >= a.x() && x <= b.x()) || (x <= a.x() && x >= b.x())) {
            const double span = b.x() - a.x();
            return span == 0.0 ? b.y() : a.y() + (x - a.x()) / span * (b.y() - a.y());
        }
    }
    return curves.y(curve, SectionStations - 1);
}

QString mm(double value) {
    return QString::number(value, 'g', 6) + QStringLiteral(" mm");
}

// The paths offset by `distance` mm (outward for a positive distance), round joins held to
// ArcToleranceMm.
cl::Paths offsetPaths(const cl::Paths& paths, double distance) {
    cl::ClipperOffset offset;
    offset.ArcTolerance = ArcToleranceMm * ClipperScale;
    offset.AddPaths(paths, cl::jtRound, cl::etClosedPolygon);
    cl::Paths result;
    offset.Execute(result, distance * ClipperScale);
    return result;
}

cl::Path notchRectangle(double left, double right, double bottom, double top) {
    const auto s = [](double v) { return static_cast<cl::cInt>(std::llround(v * ClipperScale)); };
    return {{s(left), s(bottom)}, {s(right), s(bottom)}, {s(right), s(top)}, {s(left), s(top)}};
}

}  // namespace

QRectF RibOutline::bounds() const {
    double left = std::numeric_limits<double>::infinity();
    double right = -left;
    double bottom = left;
    double top = -left;
    for (const OutlineRing& ring : rings) {
        for (const QPointF& p : ring) {
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            bottom = std::min(bottom, p.y());
            top = std::max(top, p.y());
        }
    }
    return left > right ? QRectF() : QRectF(left, bottom, right - left, top - bottom);
}

double TrailingEdgeBlend(double x) {
    const double u =
        std::clamp((x - TrailingEdgeBlendStart) / (1.0 - TrailingEdgeBlendStart), 0.0, 1.0);
    return u * u * (3.0 - 2.0 * u);
}

SectionCurves WithTrailingEdgeThickness(const SectionCurves& section, double thickness) {
    constexpr int Te = SectionStations - 1;
    const double present = section.y(UpperCurve, Te) - section.y(LowerCurve, Te);
    const double added = thickness - present;
    if (!(added > 0.0)) {
        return section;
    }
    SectionCurves thick = section;
    for (int i = 0; i < SectionStations; ++i) {
        thick.y(UpperCurve, i) += 0.5 * added * TrailingEdgeBlend(thick.x(UpperCurve, i));
        thick.y(LowerCurve, i) -= 0.5 * added * TrailingEdgeBlend(thick.x(LowerCurve, i));
    }
    // The weight is exactly 1 only at x = 1; a trailing edge a little short of it still ends at
    // the thickness asked for.
    const double left = thickness - (thick.y(UpperCurve, Te) - thick.y(LowerCurve, Te));
    thick.y(UpperCurve, Te) += 0.5 * left;
    thick.y(LowerCurve, Te) -= 0.5 * left;
    return thick;
}

SectionCurves BlendSections(const SectionCurves& root, const SectionCurves& tip, double weight) {
    SectionCurves blend = root;
    for (int curve : {UpperCurve, LowerCurve}) {
        for (int i = 0; i < SectionStations; ++i) {
            double& y = blend.y(curve, i);
            y = (1.0 - weight) * y + weight * heightAt(tip, curve, blend.x(curve, i));
        }
    }
    return blend;
}

Status CheckSection(const SectionCurves& section) {
    const OutlineRing ring = ScaledOutline(section, 1.0);
    double left = std::numeric_limits<double>::infinity();
    double right = -left;
    double twiceArea = 0.0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const QPointF a = ring[i];
        const QPointF b = ring[(i + 1) % ring.size()];
        if (!std::isfinite(a.x()) || !std::isfinite(a.y())) {
            return Status::failure(
                QStringLiteral("not a section: a point of its curves is not a finite number"));
        }
        left = std::min(left, a.x());
        right = std::max(right, a.x());
        twiceArea += a.x() * b.y() - b.x() * a.y();
    }
    // Sections are normalised to a chord of 1; a tenth of that is plainly something else.
    if (!(right - left > 0.1) || !(std::abs(twiceArea) > 1e-6)) {
        return Status::failure(QStringLiteral("not a section: its curves enclose no area"));
    }
    return Status::success();
}

OutlineRing ScaledOutline(const SectionCurves& section, double chord) {
    OutlineRing ring;
    ring.reserve(2 * static_cast<std::size_t>(SectionStations));
    for (int i = SectionStations - 1; i >= 0; --i) {
        ring.emplace_back(chord * section.x(UpperCurve, i), chord * section.y(UpperCurve, i));
    }
    for (int i = 0; i < SectionStations; ++i) {
        ring.emplace_back(chord * section.x(LowerCurve, i), chord * section.y(LowerCurve, i));
    }
    return ring;
}

std::vector<OutlineRing> OffsetOutline(const OutlineRing& ring, double distance) {
    return fromClipper(offsetPaths({toClipper(ring)}, distance));
}

std::optional<double> SurfaceHeight(const std::vector<OutlineRing>& rings, double x, bool upper) {
    std::optional<double> found;
    for (const OutlineRing& ring : rings) {
        for (std::size_t i = 0; i < ring.size(); ++i) {
            const QPointF a = ring[i];
            const QPointF b = ring[(i + 1) % ring.size()];
            if ((x < a.x() && x < b.x()) || (x > a.x() && x > b.x())) {
                continue;
            }
            const double span = b.x() - a.x();
            const double y = span == 0.0 ? (upper ? std::max(a.y(), b.y()) : std::min(a.y(), b.y()))
                                         : a.y() + (x - a.x()) / span * (b.y() - a.y());
            if (!found || (upper ? y > *found : y < *found)) {
                found = y;
            }
        }
    }
    return found;
}

Result<RibOutline> BuildRib(const SectionCurves& section, double chord,
                            const RibFeatures& features) {
    RibOutline rib;
    rib.chord = chord;
    const SectionCurves shaped =
        features.teThickness > 0.0
            ? WithTrailingEdgeThickness(section, features.teThickness / chord)
            : section;
    rib.rings.push_back(ScaledOutline(shaped, chord));
    if (features.inset <= 0.0 && features.spars.empty()) {
        return Result<RibOutline>::success(std::move(rib));
    }

    cl::Paths paths{toClipper(rib.rings.front())};
    if (features.inset > 0.0) {
        cl::Paths inset = offsetPaths(paths, -features.inset);
        if (inset.empty()) {
            return Result<RibOutline>::failure(
                QStringLiteral("an inset of %1 leaves nothing of the rib at a chord of %2")
                    .arg(mm(features.inset), mm(chord)));
        }
        paths = std::move(inset);
    }
    rib.rings = fromClipper(paths);

    for (const SparNotch& spar : features.spars) {
        const double centre = spar.position / 100.0 * chord;
        const QString where = QStringLiteral("the spar notch at %1 %").arg(spar.position);
        if (spar.width >= chord) {
            return Result<RibOutline>::failure(
                QStringLiteral("%1 is %2 wide, wider than the chord of %3")
                    .arg(where, mm(spar.width), mm(chord)));
        }
        const double left = centre - spar.width / 2.0;
        const double right = centre + spar.width / 2.0;
        const QRectF box = rib.bounds();
        if (left <= box.left() || right >= box.right()) {
            return Result<RibOutline>::failure(
                QStringLiteral("%1 (%2 wide) does not lie within the rib")
                    .arg(where, mm(spar.width)));
        }
        const std::optional<double> top = SurfaceHeight(rib.rings, centre, true);
        const std::optional<double> bottom = SurfaceHeight(rib.rings, centre, false);
        const bool fromUpper = spar.side != SparNotch::Side::Lower;
        const bool fromLower = spar.side != SparNotch::Side::Upper;
        const double cut = spar.depth * ((fromUpper ? 1 : 0) + (fromLower ? 1 : 0));
        if (!top || !bottom || cut >= *top - *bottom) {
            return Result<RibOutline>::failure(
                QStringLiteral("%1 (%2 deep) cuts the rib through").arg(where, mm(spar.depth)));
        }
        const double margin = box.height() + 1.0;
        cl::Clipper clipper;
        clipper.AddPaths(paths, cl::ptSubject, true);
        if (fromUpper) {
            clipper.AddPath(notchRectangle(left, right, *top - spar.depth, box.bottom() + margin),
                            cl::ptClip, true);
        }
        if (fromLower) {
            clipper.AddPath(notchRectangle(left, right, box.top() - margin, *bottom + spar.depth),
                            cl::ptClip, true);
        }
        cl::Paths notched;
        clipper.Execute(cl::ctDifference, notched, cl::pftNonZero, cl::pftNonZero);
        if (notched.size() != paths.size()) {
            return Result<RibOutline>::failure(
                QStringLiteral("%1 (%2 deep) cuts the rib through").arg(where, mm(spar.depth)));
        }
        paths = std::move(notched);
        rib.rings = fromClipper(paths);
    }
    return Result<RibOutline>::success(std::move(rib));
}

}  // namespace vandrix
