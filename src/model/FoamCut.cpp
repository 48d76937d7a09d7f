// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FoamCut.h"

#include "model/Conversions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace vandrix {

namespace {

// Points of a path this close to its farthest aft belong to its trailing edge, in millimetres:
// well below the 0.004 mm by which the points of a round join next to it fall short.
constexpr double TrailingEdgeTolerance = 0.0005;

// Where a path's marks lie along a loop: 0 the middle of the trailing edge, 1 its upper end, 2
// the nose, 3 the trailing edge's lower end, 4 its middle again. On the surfaces a mark is the
// fraction of x between the nose and the trailing edge (2 - f on the upper surface, 2 + f on the
// lower); on the trailing edge, the fraction of its length.
constexpr double NoseMark = 2.0;
constexpr double BottomMark = 3.0;

bool samePoint(QPointF a, QPointF b) {
    return a.x() == b.x() && a.y() == b.y();
}

double length(QPointF d) {
    return std::hypot(d.x(), d.y());
}

// The ring without repeated points, counter-clockwise (the upper surface first when followed
// from the trailing edge).
std::vector<QPointF> counterClockwise(const OutlineRing& ring) {
    std::vector<QPointF> points;
    points.reserve(ring.size());
    for (const QPointF& p : ring) {
        if (points.empty() || !samePoint(p, points.back())) {
            points.push_back(p);
        }
    }
    while (points.size() > 1 && samePoint(points.front(), points.back())) {
        points.pop_back();
    }
    double twiceArea = 0.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF a = points[i];
        const QPointF b = points[(i + 1) % points.size()];
        twiceArea += a.x() * b.y() - b.x() * a.y();
    }
    if (twiceArea < 0.0) {
        std::reverse(points.begin(), points.end());
    }
    return points;
}

// A path with a mark at each point; the marks never decrease.
struct MarkedLoop {
    std::vector<QPointF> points;
    std::vector<double> marks;

    void add(QPointF p, double mark) {
        points.push_back(p);
        marks.push_back(mark);
    }
    // The point at `mark`, which lies strictly between the marks of points next - 1 and next.
    QPointF between(double mark, std::size_t next) const {
        const double from = marks[next - 1];
        const double to = marks[next];
        const double f = (mark - from) / (to - from);
        return points[next - 1] + f * (points[next] - points[next - 1]);
    }
};

// Adds the points of a polyline after its first, marked by the fraction of its length from
// `from` to `from` + 1; a polyline without length adds its last point at `from` + 1.
void addByLength(MarkedLoop& loop, const std::vector<QPointF>& line, double from) {
    double total = 0.0;
    for (std::size_t i = 1; i < line.size(); ++i) {
        total += length(line[i] - line[i - 1]);
    }
    double run = 0.0;
    for (std::size_t i = 1; i + 1 < line.size(); ++i) {
        run += length(line[i] - line[i - 1]);
        loop.add(line[i], from + std::min(run / total, 1.0));
    }
    loop.add(line.back(), from + 1.0);
}

// The ring as a marked loop from the middle of its trailing edge round and back.
MarkedLoop markedLoop(const OutlineRing& ring) {
    const std::vector<QPointF> p = counterClockwise(ring);
    const std::size_t n = p.size();
    const auto next = [n](std::size_t i) { return (i + 1) % n; };
    const auto previous = [n](std::size_t i) { return (i + n - 1) % n; };
    const auto byX = [](QPointF a, QPointF b) { return a.x() < b.x(); };
    const auto nose =
        static_cast<std::size_t>(std::min_element(p.begin(), p.end(), byX) - p.begin());
    const auto aft =
        static_cast<std::size_t>(std::max_element(p.begin(), p.end(), byX) - p.begin());
    // The trailing edge: the points about the farthest aft, from its lower end up (counter-
    // clockwise, the lower surface runs aft into it and the upper surface leaves it forward).
    const double edge = p[aft].x() - TrailingEdgeTolerance;
    std::size_t bottom = aft;
    while (previous(bottom) != aft && previous(bottom) != nose && p[previous(bottom)].x() >= edge) {
        bottom = previous(bottom);
    }
    std::size_t top = aft;
    while (next(top) != bottom && next(top) != nose && p[next(top)].x() >= edge) {
        top = next(top);
    }
    std::vector<QPointF> face;
    for (std::size_t i = bottom;; i = next(i)) {
        face.push_back(p[i]);
        if (i == top) {
            break;
        }
    }
    // Its middle, by length; the two halves share it.
    double half = 0.0;
    for (std::size_t i = 1; i < face.size(); ++i) {
        half += length(face[i] - face[i - 1]) / 2.0;
    }
    std::vector<QPointF> lowerHalf{face.front()};
    std::vector<QPointF> upperHalf;
    for (std::size_t i = 1; i < face.size() && upperHalf.empty(); ++i) {
        const double step = length(face[i] - face[i - 1]);
        if (half > step && i + 1 < face.size()) {
            half -= step;
            lowerHalf.push_back(face[i]);
            continue;
        }
        const QPointF middle = face[i - 1] + (half / step) * (face[i] - face[i - 1]);
        if (!samePoint(middle, lowerHalf.back())) {
            lowerHalf.push_back(middle);
        }
        upperHalf.assign(face.begin() + static_cast<std::ptrdiff_t>(i), face.end());
        if (!samePoint(middle, upperHalf.front())) {
            upperHalf.insert(upperHalf.begin(), middle);
        }
    }
    if (upperHalf.empty()) {  // a trailing edge without length: one point
        upperHalf = lowerHalf;
    }

    MarkedLoop loop;
    loop.add(upperHalf.front(), 0.0);
    addByLength(loop, upperHalf.size() > 1 ? upperHalf : std::vector{upperHalf[0], upperHalf[0]},
                0.0);
    // The upper surface forward to the nose, then the lower surface aft; tiny steps back in x
    // keep the mark they had.
    const double noseX = p[nose].x();
    const double upperSpan = p[top].x() - noseX;
    for (std::size_t i = next(top); i != nose; i = next(i)) {
        const double mark = NoseMark - (p[i].x() - noseX) / upperSpan;
        loop.add(p[i], std::clamp(mark, loop.marks.back(), NoseMark));
    }
    loop.add(p[nose], NoseMark);
    const double lowerSpan = p[bottom].x() - noseX;
    for (std::size_t i = next(nose); i != bottom; i = next(i)) {
        const double mark = NoseMark + (p[i].x() - noseX) / lowerSpan;
        loop.add(p[i], std::clamp(mark, loop.marks.back(), BottomMark));
    }
    loop.add(p[bottom], BottomMark);
    addByLength(loop, lowerHalf.size() > 1 ? lowerHalf : std::vector{lowerHalf[0], lowerHalf[0]},
                BottomMark);
    return loop;
}

// The marks of the 201 stations on each surface, in order.
std::vector<double> stationMarks() {
    std::vector<double> marks;
    marks.reserve(2 * static_cast<std::size_t>(SectionStations));
    for (int i = SectionStations - 1; i >= 0; --i) {
        marks.push_back(NoseMark - (1.0 - std::cos(std::numbers::pi * i / 200.0)) / 2.0);
    }
    for (int i = 0; i < SectionStations; ++i) {
        marks.push_back(NoseMark + (1.0 - std::cos(std::numbers::pi * i / 200.0)) / 2.0);
    }
    return marks;
}

QString fourDecimals(double value) {
    return QString::number(value, 'f', 4);
}

}  // namespace

std::array<double, 4> TowerCoordinates(const TowerPosition& at) {
    return {at.left.x(), at.left.y(), at.right.x(), at.right.y()};
}

double FoamMachine::rootFaceFromRootTower() const {
    return rootAt.value_or((towers - span) / 2.0);
}

double FoamMachine::rootZ() const {
    const double fromRootTower = rootFaceFromRootTower();
    return rootSide == RootSide::Left ? fromRootTower : towers - fromRootTower;
}

double FoamMachine::tipZ() const {
    return rootSide == RootSide::Left ? rootZ() + span : rootZ() - span;
}

Status CheckFoamMachine(const FoamMachine& machine) {
    const double root = machine.rootFaceFromRootTower();
    if (root >= 0.0 && root + machine.span <= machine.towers) {
        return Status::success();
    }
    const QString block =
        machine.rootAt ? QStringLiteral("the root face at %1 mm and a span of %2 mm do not")
                             .arg(DoubleToText(*machine.rootAt), DoubleToText(machine.span))
                       : QStringLiteral("a span of %1 mm does not").arg(DoubleToText(machine.span));
    return Status::failure(QStringLiteral("%1 fit between towers %2 mm apart")
                               .arg(block, DoubleToText(machine.towers)));
}

TowerPosition ProjectWire(const WirePair& faces, const FoamMachine& machine) {
    const double rootZ = machine.rootZ();
    const double tipZ = machine.tipZ();
    const QPointF along = faces.tip - faces.root;
    const auto at = [&](double z) { return faces.root + along * ((z - rootZ) / (tipZ - rootZ)); };
    return {at(0.0), at(machine.towers)};
}

WirePair FacesOf(const TowerPosition& towers, const FoamMachine& machine) {
    const QPointF across = towers.right - towers.left;
    const auto at = [&](double z) { return towers.left + across * (z / machine.towers); };
    return {at(machine.rootZ()), at(machine.tipZ())};
}

QPointF FacePlacement::map(QPointF sectionPoint) const {
    if (washout == 0.0) {  // exactly: an untapered core's two faces then match to the last bit
        return leadingEdge + sectionPoint;
    }
    const double angle = washout * std::numbers::pi / 180.0;
    const QPointF d = sectionPoint - pivot;
    // Counter-clockwise with v up: the nose, ahead of the pivot, goes down.
    const QPointF turned(d.x() * std::cos(angle) - d.y() * std::sin(angle),
                         d.x() * std::sin(angle) + d.y() * std::cos(angle));
    return leadingEdge + pivot + turned;
}

OutlineRing FacePlacement::map(const OutlineRing& ring) const {
    OutlineRing placed;
    placed.reserve(ring.size());
    for (const QPointF& p : ring) {
        placed.push_back(map(p));
    }
    return placed;
}

Result<OutlineRing> CoreOutline(const SectionCurves& section, double chord,
                                const RibFeatures& features) {
    const RibFeatures core{features.teThickness, features.inset, {}};
    Result<RibOutline> rib = BuildRib(section, chord, core);
    if (!rib) {
        return Result<OutlineRing>::failure(rib.error());
    }
    if (rib.value().rings.size() != 1) {
        return Result<OutlineRing>::failure(
            QStringLiteral("an inset of %1 mm leaves the core in %2 pieces at a chord of %3 mm")
                .arg(DoubleToText(features.inset))
                .arg(rib.value().rings.size())
                .arg(DoubleToText(chord)));
    }
    return Result<OutlineRing>::success(rib.value().rings.front());
}

OutlineRing KerfPath(const OutlineRing& outline, double kerf) {
    if (!(kerf > 0.0)) {
        return outline;
    }
    // An outward offset of one ring is one ring.
    std::vector<OutlineRing> rings = OffsetOutline(outline, kerf / 2.0);
    if (rings.empty()) {
        return outline;
    }
    return std::move(rings.front());
}

std::vector<WirePair> PairPaths(const OutlineRing& root, const OutlineRing& tip) {
    const MarkedLoop a = markedLoop(root);
    const MarkedLoop b = markedLoop(tip);
    const std::vector<double> stations = stationMarks();
    std::vector<WirePair> pairs;
    pairs.reserve(a.points.size() + b.points.size() + stations.size());
    std::size_t i = 0;
    std::size_t j = 0;
    std::size_t k = 0;
    while (i < a.points.size() || j < b.points.size()) {
        double mark = std::numeric_limits<double>::infinity();
        if (i < a.points.size()) {
            mark = a.marks[i];
        }
        if (j < b.points.size()) {
            mark = std::min(mark, b.marks[j]);
        }
        if (k < stations.size()) {
            mark = std::min(mark, stations[k]);
        }
        std::size_t iEnd = i;
        while (iEnd < a.points.size() && a.marks[iEnd] == mark) {
            ++iEnd;
        }
        std::size_t jEnd = j;
        while (jEnd < b.points.size() && b.marks[jEnd] == mark) {
            ++jEnd;
        }
        while (k < stations.size() && stations[k] == mark) {
            ++k;
        }
        // Points of one path at the same mark (a trailing edge square to the chord) each pair
        // with the other path's point there.
        const std::size_t count = std::max({iEnd - i, jEnd - j, std::size_t{1}});
        for (std::size_t c = 0; c < count; ++c) {
            const QPointF p = iEnd > i ? a.points[std::min(i + c, iEnd - 1)] : a.between(mark, i);
            const QPointF q = jEnd > j ? b.points[std::min(j + c, jEnd - 1)] : b.between(mark, j);
            pairs.push_back({p, q});
        }
        i = iEnd;
        j = jEnd;
    }
    return pairs;
}

TowerPosition RoundedPosition(const TowerPosition& position) {
    const auto round = [](QPointF p) {
        return QPointF(std::round(p.x() * WireStepsPerMm) / WireStepsPerMm,
                       std::round(p.y() * WireStepsPerMm) / WireStepsPerMm);
    };
    return {round(position.left), round(position.right)};
}

std::vector<WireMove> WireMoves(const TowerPosition& start, const std::vector<TowerPosition>& path,
                                const FoamMachine& machine, double feed) {
    std::vector<WireMove> moves;
    moves.reserve(path.size());
    TowerPosition from = RoundedPosition(start);
    WirePair fromFaces = FacesOf(from, machine);
    for (const TowerPosition& position : path) {
        const TowerPosition to = RoundedPosition(position);
        if (samePoint(to.left, from.left) && samePoint(to.right, from.right)) {
            continue;
        }
        const WirePair toFaces = FacesOf(to, machine);
        const double faster =
            std::max(length(toFaces.root - fromFaces.root), length(toFaces.tip - fromFaces.tip));
        moves.push_back({to, feed / faster});
        from = to;
        fromFaces = toFaces;
    }
    return moves;
}

FacePlacement RootPlacement(const FoamPanel& panel) {
    return {panel.origin, 0.0, {}};
}

FacePlacement TipPlacement(const FoamPanel& panel) {
    constexpr int Te = SectionStations - 1;
    const SectionCurves& tip = panel.tip;
    const QPointF middle = (tip.point(UpperCurve, Te) + tip.point(LowerCurve, Te)) / 2.0;
    return {panel.origin + QPointF(panel.sweep, 0.0), panel.washout, middle * panel.tipChord};
}

Result<FoamCut> PlanFoamCut(const FoamPanel& panel, const FoamMachine& machine) {
    const Result<OutlineRing> root = CoreOutline(panel.root, panel.rootChord, panel.features);
    if (!root) {
        return Result<FoamCut>::failure(QStringLiteral("root: ") + root.error());
    }
    const Result<OutlineRing> tip = CoreOutline(panel.tip, panel.tipChord, panel.features);
    if (!tip) {
        return Result<FoamCut>::failure(QStringLiteral("tip: ") + tip.error());
    }
    const OutlineRing rootPath = KerfPath(root.value(), panel.rootKerf);
    const OutlineRing tipPath = KerfPath(tip.value(), panel.tipKerf);
    const FacePlacement rootFace = RootPlacement(panel);
    const FacePlacement tipFace = TipPlacement(panel);
    FoamCut cut;
    cut.rootOutline = rootFace.map(root.value());
    cut.tipOutline = tipFace.map(tip.value());
    cut.rootPath = rootFace.map(rootPath);
    cut.tipPath = tipFace.map(tipPath);

    const std::vector<WirePair> pairs = PairPaths(rootPath, tipPath);
    // The lead-in runs aft along each section's chord from the middle of its trailing edge.
    const QPointF behind(panel.leadIn, 0.0);
    cut.leadIn = {rootFace.map(pairs.front().root + behind),
                  tipFace.map(pairs.front().tip + behind)};
    std::vector<TowerPosition> path;
    path.reserve(pairs.size() + 1);
    for (const WirePair& pair : pairs) {
        path.push_back(ProjectWire({rootFace.map(pair.root), tipFace.map(pair.tip)}, machine));
    }
    cut.start = RoundedPosition(ProjectWire(cut.leadIn, machine));
    path.push_back(cut.start);
    cut.moves = WireMoves(cut.start, path, machine, panel.feed);
    return Result<FoamCut>::success(std::move(cut));
}

Status CheckTravel(const FoamCut& cut, const std::optional<QSizeF>& travel, const QString& axes) {
    std::array<double, 4> low = TowerCoordinates(cut.start);
    std::array<double, 4> high = low;
    for (const WireMove& move : cut.moves) {
        const std::array<double, 4> at = TowerCoordinates(move.to);
        for (std::size_t axis = 0; axis < at.size(); ++axis) {
            low.at(axis) = std::min(low.at(axis), at.at(axis));
            high.at(axis) = std::max(high.at(axis), at.at(axis));
        }
    }
    for (std::size_t axis = 0; axis < low.size(); ++axis) {
        const QChar letter = axes.at(static_cast<qsizetype>(axis));
        if (!std::isfinite(low.at(axis)) || !std::isfinite(high.at(axis))) {
            return Status::failure(QStringLiteral("axis %1 goes beyond any number").arg(letter));
        }
        if (low.at(axis) < 0.0) {
            return Status::failure(QStringLiteral("axis %1 goes to %2 mm, below 0")
                                       .arg(letter)
                                       .arg(fourDecimals(low.at(axis))));
        }
        if (!travel) {
            continue;
        }
        const double limit = axis % 2 == 0 ? travel->width() : travel->height();
        if (high.at(axis) > limit) {
            return Status::failure(
                QStringLiteral("axis %1 goes to %2 mm, beyond its travel of %3 mm")
                    .arg(letter)
                    .arg(fourDecimals(high.at(axis)), DoubleToText(limit)));
        }
    }
    return Status::success();
}

}  // namespace vandrix
