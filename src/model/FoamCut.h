// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"
#include "model/RibGeometry.h"
#include "model/Section.h"

#include <QPointF>
#include <QSizeF>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace vandrix {

// A hot wire stretched between two towers cuts a core whose root section lies on one face of
// the block and whose tip section lies on the other. Each tower moves its end of the wire in
// its own plane, h horizontal (away from the machine's zero) and v up, in millimetres; the
// tower planes, the faces and everything else are measured along the wire from the left tower.

inline constexpr double MaxKerf = 5.0;      // mm
inline constexpr double MaxWashout = 45.0;  // degrees, either way
// Tower coordinates are written to a ten-thousandth of a millimetre.
inline constexpr double WireStepsPerMm = 10000.0;

enum class RootSide { Left, Right };

// Where the block lies between the towers.
struct FoamMachine {
    double towers = 0.0;           // the distance between the tower planes
    double span = 0.0;             // root face to tip face
    std::optional<double> rootAt;  // root face from the root's tower; centred when not given
    RootSide rootSide = RootSide::Left;

    double rootFaceFromRootTower() const;
    // Each face's distance from the left tower.
    double rootZ() const;
    double tipZ() const;
};

// Whether the block fits between the towers, or why not.
Status CheckFoamMachine(const FoamMachine& machine);

// One end of the wire at each tower.
struct TowerPosition {
    QPointF left;
    QPointF right;
    bool operator==(const TowerPosition&) const = default;
};

// Where the wire crosses the two faces.
struct WirePair {
    QPointF root;
    QPointF tip;
};

// The four tower coordinates in the order of the axis letters: left h, left v, right h, right v.
std::array<double, 4> TowerCoordinates(const TowerPosition& at);

// The wire through the two face points, extended to the tower planes.
TowerPosition ProjectWire(const WirePair& faces, const FoamMachine& machine);
// Where a wire between the two tower points crosses the faces.
WirePair FacesOf(const TowerPosition& towers, const FoamMachine& machine);

// A section on its face: the section's own frame (nose at the origin, chord along +x, mm) moved
// so that its leading edge lies at `leadingEdge`, then turned nose down by `washout` degrees
// about `pivot` (in the section's frame).
struct FacePlacement {
    QPointF leadingEdge;
    double washout = 0.0;
    QPointF pivot;

    QPointF map(QPointF sectionPoint) const;
    OutlineRing map(const OutlineRing& ring) const;
};

// The core's outline on a face at `chord` mm with the trailing-edge thickness and the inset of
// `features` (a core has no spar notches), in the section's frame; fails when the inset leaves
// nothing or more than one piece.
Result<OutlineRing> CoreOutline(const SectionCurves& section, double chord,
                                const RibFeatures& features);

// The path of the wire's centre around an outline: a true offset of `kerf` / 2 outward, so that
// the slot the wire melts leaves the outline itself. A kerf of 0 is the outline.
OutlineRing KerfPath(const OutlineRing& outline, double kerf);

// The wire's positions round a root and a tip path (closed rings in their sections' frames), as
// pairs of points. Each ring is split at its leftmost point (the nose) and at the middle of its
// trailing edge into the upper and lower surface, along which x grows to the trailing edge;
// root and tip points are paired at equal fractions of x between the nose and the trailing edge
// on the same surface, at every point of either ring and at the 201 stations of each surface.
// A blunt trailing edge is paired by fractions of its length. The pairs start at the middle of
// the trailing edge, run over the upper surface round the nose and back along the lower
// surface to where they started.
std::vector<WirePair> PairPaths(const OutlineRing& root, const OutlineRing& tip);

// The wire's moves: from `start` at the towers, through `path`. Every coordinate is rounded to
// 1 / WireStepsPerMm, a move that does not change them is left out, and each move's inverse
// time (1 / minutes) is worked out from the rounded coordinates, so that the faster face moves
// at `feed` mm/min in the move the machine makes.
struct WireMove {
    TowerPosition to;
    double inverseTime = 0.0;
};
TowerPosition RoundedPosition(const TowerPosition& position);
std::vector<WireMove> WireMoves(const TowerPosition& start, const std::vector<TowerPosition>& path,
                                const FoamMachine& machine, double feed);

// A foam core: what is cut on each face, and where the wire goes.
struct FoamPanel {
    SectionCurves root;
    SectionCurves tip;
    double rootChord = 0.0;
    double tipChord = 0.0;
    RibFeatures features;  // trailing-edge thickness and inset
    QPointF origin{20.0, 30.0};
    double sweep = 0.0;
    double washout = 0.0;
    double rootKerf = 0.0;  // slot widths
    double tipKerf = 0.0;
    double leadIn = 10.0;
    double feed = 200.0;
};

struct FoamCut {
    // On the faces, in the machine's frame.
    OutlineRing rootOutline;
    OutlineRing tipOutline;
    OutlineRing rootPath;
    OutlineRing tipPath;
    WirePair leadIn;  // where the wire starts and ends, behind the trailing edge
    // At the towers: the lead-in start (reached in units per minute at the feed), then the cut.
    TowerPosition start;
    std::vector<WireMove> moves;
};

// Each face's placement: the root's leading edge at the origin, the tip's `sweep` further along
// h and turned by the washout about the middle of its trailing edge.
FacePlacement RootPlacement(const FoamPanel& panel);
FacePlacement TipPlacement(const FoamPanel& panel);

// The cut, or why the outlines cannot be made.
Result<FoamCut> PlanFoamCut(const FoamPanel& panel, const FoamMachine& machine);

// Whether every tower coordinate of the cut lies at 0 or above and, with `travel` (h, v), within
// it; else one line naming the axis (its letter in `axes`: left h, left v, right h, right v), its
// farthest value and the limit.
Status CheckTravel(const FoamCut& cut, const std::optional<QSizeF>& travel, const QString& axes);

}  // namespace vandrix
