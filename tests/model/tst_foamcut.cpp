// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateReadBack.h"
#include "model/FoamCut.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace vandrix;
using namespace vandrix::testing;

Q_DECLARE_METATYPE(vandrix::TowerPosition)

namespace {

const Naca4 Naca2412{0.02, 0.4, 0.12};
const Naca4 Naca0012{0.0, 0.0, 0.12};
const Naca4 Naca4415{0.04, 0.4, 0.15};

// A ring in the order ScaledOutline gives: the upper surface from the trailing edge to the nose,
// then the lower surface back; the nose once.
OutlineRing ringOfSurfaces(const Naca4& s, int perSide, double chord) {
    OutlineRing ring;
    for (const auto& [x, y] : seligRun(s, perSide)) {
        ring.emplace_back(chord * x, chord * y);
    }
    return ring;
}

// The outlines the rows pair, by name, in their sections' frames (mm).
OutlineRing ringNamed(const QString& name, double chord) {
    if (name == QLatin1String("2412 at the stations")) {
        return ScaledOutline(stationSection(Naca2412), chord);
    }
    if (name == QLatin1String("0012, 61 points a side")) {
        return ringOfSurfaces(Naca0012, 61, chord);
    }
    if (name == QLatin1String("4415 nose ahead of the first station")) {
        return ringOfSurfaces(Naca4415, 81, chord);
    }
    if (name == QLatin1String("2412 with a 1.5 mm trailing edge")) {
        return ScaledOutline(WithTrailingEdgeThickness(stationSection(Naca2412), 1.5 / chord),
                             chord);
    }
    // 0012 with its trailing edge closed to a point.
    SectionCurves sharp = stationSection(Naca0012);
    sharp.y(UpperCurve, SectionStations - 1) = 0.0;
    sharp.y(LowerCurve, SectionStations - 1) = 0.0;
    return ScaledOutline(sharp, chord);
}

double distanceToRing(const OutlineRing& ring, QPointF p) {
    std::vector<std::pair<double, double>> line;
    for (const QPointF& q : ring) {
        line.emplace_back(q.x(), q.y());
    }
    line.emplace_back(ring.front().x(), ring.front().y());
    return distanceTo(line, p.x(), p.y());
}

// Where a ray from `from` along the unit vector `along` first crosses the ring.
double rayToRing(const OutlineRing& ring, QPointF from, QPointF along) {
    double nearest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const QPointF a = ring[i];
        const QPointF b = ring[(i + 1) % ring.size()];
        const QPointF e = b - a;
        const double det = along.x() * -e.y() + e.x() * along.y();
        if (det == 0.0) {
            continue;
        }
        const QPointF w = a - from;
        const double t = (w.x() * -e.y() + e.x() * w.y()) / det;
        const double u = (along.x() * w.y() - along.y() * w.x()) / det;
        if (t > 0.0 && u >= 0.0 && u <= 1.0) {
            nearest = std::min(nearest, t);
        }
    }
    return nearest;
}

QPointF unit(QPointF v) {
    return v / std::hypot(v.x(), v.y());
}

// The fraction of x between a ring's leftmost and farthest aft point.
struct Span {
    double nose;
    double tail;
    explicit Span(const OutlineRing& ring) {
        const auto [low, high] = std::minmax_element(
            ring.begin(), ring.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); });
        nose = low->x();
        tail = high->x();
    }
    double fraction(QPointF p) const { return (p.x() - nose) / (tail - nose); }
};

FoamPanel panelOf(const Naca4& root, double rootChord, const Naca4& tip, double tipChord) {
    FoamPanel panel;
    panel.root = stationSection(root);
    panel.tip = stationSection(tip);
    panel.rootChord = rootChord;
    panel.tipChord = tipChord;
    return panel;
}

bool near(QPointF a, QPointF b, double tolerance) {
    return std::hypot(a.x() - b.x(), a.y() - b.y()) <= tolerance;
}

QByteArray text(QPointF p) {
    return QByteArray::number(p.x(), 'f', 6) + ',' + QByteArray::number(p.y(), 'f', 6);
}

}  // namespace

class TestFoamCut : public QObject {
    Q_OBJECT

private slots:
    // The wire through two face points, extended to the tower planes, worked out by hand.
    void projection_data() {
        QTest::addColumn<double>("towers");
        QTest::addColumn<double>("span");
        QTest::addColumn<double>("rootAt");  // below 0: centred
        QTest::addColumn<bool>("rootRight");
        QTest::addColumn<QPointF>("root");
        QTest::addColumn<QPointF>("tip");
        QTest::addColumn<QPointF>("left");
        QTest::addColumn<QPointF>("right");
        QTest::newRow("untapered, centred")
            << 800.0 << 600.0 << -1.0 << false << QPointF(100, 40) << QPointF(100, 40)
            << QPointF(100, 40) << QPointF(100, 40);
        QTest::newRow("untapered, near the left tower")
            << 800.0 << 300.0 << 50.0 << false << QPointF(35.5, 2) << QPointF(35.5, 2)
            << QPointF(35.5, 2) << QPointF(35.5, 2);
        // Root face at 200, tip face at 700: the left tower lies 0.4 spans ahead of the root,
        // the right one 1.6 spans from it.
        QTest::newRow("tapered, first point")
            << 1000.0 << 500.0 << 200.0 << false << QPointF(100, 50) << QPointF(60, 40)
            << QPointF(116, 54) << QPointF(36, 34);
        QTest::newRow("tapered, second point")
            << 1000.0 << 500.0 << 200.0 << false << QPointF(20, 30) << QPointF(40, 36)
            << QPointF(12, 27.6) << QPointF(52, 39.6);
        QTest::newRow("tapered, root on the right")
            << 1000.0 << 500.0 << 200.0 << true << QPointF(100, 50) << QPointF(60, 40)
            << QPointF(36, 34) << QPointF(116, 54);
        // Centred: faces at 150 and 650 of 800.
        QTest::newRow("tapered, centred") << 800.0 << 500.0 << -1.0 << false << QPointF(100, 50)
                                          << QPointF(50, 40) << QPointF(115, 53) << QPointF(35, 37);
    }
    void projection() {
        QFETCH(double, towers);
        QFETCH(double, span);
        QFETCH(double, rootAt);
        QFETCH(bool, rootRight);
        QFETCH(QPointF, root);
        QFETCH(QPointF, tip);
        QFETCH(QPointF, left);
        QFETCH(QPointF, right);
        FoamMachine machine{towers, span, std::nullopt,
                            rootRight ? RootSide::Right : RootSide::Left};
        if (rootAt >= 0.0) {
            machine.rootAt = rootAt;
        }
        QVERIFY(CheckFoamMachine(machine));
        const TowerPosition at = ProjectWire({root, tip}, machine);
        QVERIFY2(near(at.left, left, 1e-9), text(at.left));
        QVERIFY2(near(at.right, right, 1e-9), text(at.right));
        const WirePair back = FacesOf(at, machine);
        QVERIFY(near(back.root, root, 1e-9) && near(back.tip, tip, 1e-9));
    }

    void machineFits_data() {
        QTest::addColumn<double>("towers");
        QTest::addColumn<double>("span");
        QTest::addColumn<double>("rootAt");    // below 0: centred
        QTest::addColumn<QString>("message");  // empty: it fits
        QTest::newRow("centred") << 800.0 << 600.0 << -1.0 << "";
        QTest::newRow("the whole width") << 800.0 << 800.0 << -1.0 << "";
        QTest::newRow("against the far tower") << 800.0 << 600.0 << 200.0 << "";
        QTest::newRow("span too wide")
            << 800.0 << 801.0 << -1.0
            << "a span of 801 mm does not fit between towers 800 mm apart";
        QTest::newRow("root face too far")
            << 800.0 << 600.0 << 200.5
            << "the root face at 200.5 mm and a span of 600 mm do not "
               "fit between towers 800 mm apart";
    }
    void machineFits() {
        QFETCH(double, towers);
        QFETCH(double, span);
        QFETCH(double, rootAt);
        QFETCH(QString, message);
        FoamMachine machine{towers, span, std::nullopt, RootSide::Left};
        if (rootAt >= 0.0) {
            machine.rootAt = rootAt;
        }
        QCOMPARE(CheckFoamMachine(machine).error(), message);
    }

    // The wire's path round NACA 2412 lies half the kerf outside the outline, measured along
    // the outline's normals, and nowhere nearer or farther (Clipper's round joins hold the arc
    // to 0.001 mm a step, and a corner's steps are rounded: within 0.003 mm).
    void kerfOffset_data() {
        QTest::addColumn<double>("chord");
        QTest::addColumn<double>("kerf");
        QTest::newRow("200 mm, 1 mm") << 200.0 << 1.0;
        QTest::newRow("200 mm, 5 mm") << 200.0 << 5.0;
        QTest::newRow("120 mm, 0.6 mm") << 120.0 << 0.6;
        QTest::newRow("120 mm, 2.5 mm") << 120.0 << 2.5;
    }
    void kerfOffset() {
        QFETCH(double, chord);
        QFETCH(double, kerf);
        const OutlineRing outline = ScaledOutline(stationSection(Naca2412), chord);
        const OutlineRing path = KerfPath(outline, kerf);
        // The outline counter-clockwise without its repeated nose: the outward normal of an
        // edge from a to b is (b - a) turned clockwise.
        OutlineRing ring = outline;
        ring.erase(ring.begin() + SectionStations);
        for (std::size_t i = 0; i < ring.size(); ++i) {
            const QPointF before = ring[(i + ring.size() - 1) % ring.size()];
            const QPointF at = ring[i];
            const QPointF after = ring[(i + 1) % ring.size()];
            const QPointF in = unit(at - before);
            const QPointF out = unit(after - at);
            const QPointF normal = unit(QPointF(in.y(), -in.x()) + QPointF(out.y(), -out.x()));
            const double along = rayToRing(path, at, normal);
            QVERIFY2(std::abs(along - kerf / 2.0) < 0.003,
                     qPrintable(QStringLiteral("point %1: %2 mm").arg(i).arg(along)));
        }
        for (const QPointF& p : path) {
            QVERIFY2(std::abs(distanceToRing(outline, p) - kerf / 2.0) < 0.003, text(p));
        }
        QVERIFY(KerfPath(outline, 0.0) == outline);
    }

    // Root and tip points pair at equal fractions of x on the same surface, at every point of
    // both paths and at the stations.
    void pairing_data() {
        QTest::addColumn<QString>("root");
        QTest::addColumn<double>("rootChord");
        QTest::addColumn<double>("rootKerf");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<double>("tipChord");
        QTest::addColumn<double>("tipKerf");
        QTest::newRow("one section, two chords")
            << "2412 at the stations" << 200.0 << 0.0 << "2412 at the stations" << 120.0 << 0.0;
        QTest::newRow("402 points against 121")
            << "2412 at the stations" << 200.0 << 0.0 << "0012, 61 points a side" << 120.0 << 0.0;
        QTest::newRow("a nose ahead of the first station")
            << "4415 nose ahead of the first station" << 250.0 << 0.0 << "2412 at the stations"
            << 150.0 << 0.0;
        QTest::newRow("a blunt trailing edge against a point")
            << "2412 with a 1.5 mm trailing edge" << 200.0 << 0.0 << "0012 with a sharp edge"
            << 100.0 << 0.0;
        QTest::newRow("kerf paths of other point counts")
            << "2412 with a 1.5 mm trailing edge" << 200.0 << 1.0 << "0012 with a sharp edge"
            << 120.0 << 1.6;
        QTest::newRow("kerf, nose ahead of the first station")
            << "4415 nose ahead of the first station" << 300.0 << 0.8 << "0012, 61 points a side"
            << 90.0 << 1.2;
    }
    void pairing() {
        QFETCH(QString, root);
        QFETCH(double, rootChord);
        QFETCH(double, rootKerf);
        QFETCH(QString, tip);
        QFETCH(double, tipChord);
        QFETCH(double, tipKerf);
        const OutlineRing rootPath = KerfPath(ringNamed(root, rootChord), rootKerf);
        const OutlineRing tipPath = KerfPath(ringNamed(tip, tipChord), tipKerf);
        const std::vector<WirePair> pairs = PairPaths(rootPath, tipPath);
        const Span rootSpan(rootPath);
        const Span tipSpan(tipPath);

        // A closed loop from the trailing edge.
        QVERIFY(pairs.front().root == pairs.back().root && pairs.front().tip == pairs.back().tip);
        QVERIFY(rootSpan.fraction(pairs.front().root) > 1.0 - 1e-5);
        QVERIFY(tipSpan.fraction(pairs.front().tip) > 1.0 - 1e-5);
        // Nose with nose: the same pair holds both leftmost points, the upper surface before it.
        const auto rootNose = std::find_if(pairs.begin(), pairs.end(), [&](const WirePair& p) {
            return p.root.x() == rootSpan.nose;
        });
        QVERIFY(rootNose != pairs.end());
        QCOMPARE(rootNose->tip.x(), tipSpan.nose);
        const auto noseIndex = rootNose - pairs.begin();
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            const double f = rootSpan.fraction(pairs[i].root);
            const double g = tipSpan.fraction(pairs[i].tip);
            QVERIFY2(std::abs(f - g) < 1e-5, qPrintable(QStringLiteral("pair %1: %2 against %3")
                                                            .arg(i)
                                                            .arg(f, 0, 'g', 10)
                                                            .arg(g, 0, 'g', 10)));
            if (i > 0) {
                const double before = rootSpan.fraction(pairs[i - 1].root);
                QVERIFY(static_cast<std::ptrdiff_t>(i) <= noseIndex ? f <= before + 1e-12
                                                                    : f >= before - 1e-12);
            }
            // Upper with upper: both points above their chord lines before the nose, below
            // after it (where these sections' surfaces lie on either side).
            if (f > 0.05 && f < 0.9) {
                const bool upper = static_cast<std::ptrdiff_t>(i) < noseIndex;
                QVERIFY2(upper == (pairs[i].root.y() > 0.0) && upper == (pairs[i].tip.y() > 0.0),
                         qPrintable(QString::number(i)));
            }
        }
        // Every point of either path is a wire position, so the faces follow the paths.
        for (const bool isRoot : {true, false}) {
            for (const QPointF& p : isRoot ? rootPath : tipPath) {
                QVERIFY2(std::any_of(pairs.begin(), pairs.end(),
                                     [&](const WirePair& w) {
                                         const QPointF q = isRoot ? w.root : w.tip;
                                         return q.x() == p.x() && q.y() == p.y();
                                     }),
                         text(p));
            }
        }
        // And the 201 stations of each surface.
        for (int i = 0; i < SectionStations; ++i) {
            for (const bool upper : {true, false}) {
                const auto first = upper ? pairs.begin() : rootNose;
                const auto last = upper ? rootNose + 1 : pairs.end();
                QVERIFY2(std::any_of(first, last,
                                     [&](const WirePair& w) {
                                         return std::abs(rootSpan.fraction(w.root) - station(i)) <
                                                1e-9;
                                     }),
                         qPrintable(QStringLiteral("station %1").arg(i)));
            }
        }
    }

    // The root's leading edge lies at the origin; the tip's lies `sweep` further along h, then
    // turns nose down by the washout about the middle of the tip's trailing edge, which stays.
    void sweepAndWashout_data() {
        QTest::addColumn<double>("sweep");
        QTest::addColumn<double>("washout");
        QTest::addColumn<QPointF>("nose");
        QTest::addColumn<QPointF>("trailingEdge");
        // Tip chord 120, origin 20:30: the trailing edge's middle at (140 + sweep, 30).
        QTest::newRow("neither") << 0.0 << 0.0 << QPointF(20, 30) << QPointF(140, 30);
        QTest::newRow("swept back") << 40.0 << 0.0 << QPointF(60, 30) << QPointF(180, 30);
        QTest::newRow("swept forward") << -25.5 << 0.0 << QPointF(-5.5, 30) << QPointF(114.5, 30);
        // 120 (1 - cos 3 deg) = 0.1644558, 120 sin 3 deg = 6.2803147.
        QTest::newRow("3 deg washout")
            << 0.0 << 3.0 << QPointF(20.1644558, 23.7196853) << QPointF(140, 30);
        QTest::newRow("swept, 3 deg washout")
            << 40.0 << 3.0 << QPointF(60.1644558, 23.7196853) << QPointF(180, 30);
        // 120 (1 - cos 45 deg) = 35.147186, 120 sin 45 deg = 84.852814; wash-in raises the nose.
        QTest::newRow("45 deg wash-in")
            << 10.0 << -45.0 << QPointF(65.147186, 114.852814) << QPointF(150, 30);
    }
    void sweepAndWashout() {
        QFETCH(double, sweep);
        QFETCH(double, washout);
        QFETCH(QPointF, nose);
        QFETCH(QPointF, trailingEdge);
        FoamPanel panel = panelOf(Naca2412, 200.0, Naca0012, 120.0);
        panel.sweep = sweep;
        panel.washout = washout;
        const Result<FoamCut> cut =
            PlanFoamCut(panel, {800.0, 600.0, std::nullopt, RootSide::Left});
        QVERIFY2(cut, qPrintable(cut.error()));
        const OutlineRing& tip = cut.value().tipOutline;
        QVERIFY2(near(tip[200], nose, 1e-6), text(tip[200]));
        QVERIFY2(near((tip.front() + tip.back()) / 2.0, trailingEdge, 1e-6),
                 text((tip.front() + tip.back()) / 2.0));
        // The chord keeps its length; the root stays where it is.
        QVERIFY(std::abs(std::hypot(tip[200].x() - trailingEdge.x(), tip[200].y() - 30.0) - 120.0) <
                1e-6);
        QVERIFY(near(cut.value().rootOutline[200], QPointF(20, 30), 1e-12));
        // The lead-in starts 10 mm behind each trailing edge, along its chord.
        const QPointF back = (trailingEdge - nose) / 120.0;
        QVERIFY2(near(cut.value().leadIn.tip, trailingEdge + 10.0 * back, 1e-6),
                 text(cut.value().leadIn.tip));
    }

    // Inverse time: 1 / the minutes the faster face takes at the feed, from the rounded
    // coordinates. Towers 1000 apart, the root face at 250, the tip face at 750: a face moves
    // 3/4 of the nearer tower's move and 1/4 of the other's.
    void feed_data() {
        QTest::addColumn<TowerPosition>("from");
        QTest::addColumn<TowerPosition>("to");
        QTest::addColumn<double>("inverseTime");  // 0: no move
        const TowerPosition zero{{0, 0}, {0, 0}};
        QTest::newRow("the left tower alone: the root 6 mm, the tip 2")
            << zero << TowerPosition{{8, 0}, {0, 0}} << 200.0 / 6.0;
        QTest::newRow("the right tower alone: the root 3 mm, the tip 9")
            << TowerPosition{{8, 0}, {0, 0}} << TowerPosition{{8, 0}, {0, 12}} << 200.0 / 9.0;
        QTest::newRow("both alike: each face 5 mm")
            << TowerPosition{{8, 0}, {0, 12}} << TowerPosition{{11, 4}, {3, 16}} << 40.0;
        QTest::newRow("within the rounding: no move")
            << zero << TowerPosition{{0.00004, 0}, {0, -0.00004}} << 0.0;
        QTest::newRow("from the rounded coordinates")
            << zero << TowerPosition{{8.00004, 0}, {0, 0}} << 200.0 / 6.0;
    }
    void feed() {
        QFETCH(TowerPosition, from);
        QFETCH(TowerPosition, to);
        QFETCH(double, inverseTime);
        const FoamMachine machine{1000.0, 500.0, 250.0, RootSide::Left};
        const std::vector<WireMove> moves = WireMoves(from, {to}, machine, 200.0);
        if (inverseTime == 0.0) {
            QVERIFY(moves.empty());
            return;
        }
        QCOMPARE(moves.size(), 1u);
        QVERIFY2(std::abs(moves[0].inverseTime - inverseTime) < 1e-9,
                 QByteArray::number(moves[0].inverseTime, 'g', 12));
        QVERIFY(moves[0].to == RoundedPosition(to));
    }

    // The other wing half: the root's tower on the right gives the same paths with the towers
    // swapped; an untapered panel gives both towers the same path.
    void rootSide_data() {
        QTest::addColumn<double>("tipChord");
        QTest::addColumn<double>("sweep");
        QTest::addColumn<double>("washout");
        QTest::addColumn<double>("rootAt");  // below 0: centred
        QTest::newRow("untapered") << 200.0 << 0.0 << 0.0 << -1.0;
        QTest::newRow("tapered, swept, washout") << 120.0 << 40.0 << 3.0 << -1.0;
        QTest::newRow("off centre") << 150.0 << -10.0 << -2.0 << 30.0;
    }
    void rootSide() {
        QFETCH(double, tipChord);
        QFETCH(double, sweep);
        QFETCH(double, washout);
        QFETCH(double, rootAt);
        FoamPanel panel =
            panelOf(Naca2412, 200.0, tipChord == 200.0 ? Naca2412 : Naca0012, tipChord);
        panel.sweep = sweep;
        panel.washout = washout;
        panel.rootKerf = 1.0;
        panel.tipKerf = tipChord == 200.0 ? 1.0 : 1.4;
        FoamMachine machine{900.0, 500.0, std::nullopt, RootSide::Left};
        if (rootAt >= 0.0) {
            machine.rootAt = rootAt;
        }
        const Result<FoamCut> left = PlanFoamCut(panel, machine);
        machine.rootSide = RootSide::Right;
        const Result<FoamCut> right = PlanFoamCut(panel, machine);
        QVERIFY(left && right);
        QCOMPARE(left.value().moves.size(), right.value().moves.size());
        QVERIFY(left.value().moves.size() > 400);
        QCOMPARE(left.value().start.left, right.value().start.right);
        for (std::size_t i = 0; i < left.value().moves.size(); ++i) {
            const WireMove& a = left.value().moves[i];
            const WireMove& b = right.value().moves[i];
            QCOMPARE(a.to.left, b.to.right);
            QCOMPARE(a.to.right, b.to.left);
            QVERIFY(std::abs(a.inverseTime / b.inverseTime - 1.0) < 1e-9);
            if (tipChord == 200.0) {
                QCOMPARE(a.to.left, a.to.right);
            }
        }
    }

    // A tower coordinate below 0 or beyond the travel fails the cut, naming the axis.
    void travel_data() {
        QTest::addColumn<QString>("axes");
        QTest::addColumn<QSizeF>("travel");  // empty: none given
        QTest::addColumn<TowerPosition>("to");
        QTest::addColumn<QString>("message");  // empty: within
        const TowerPosition inside{{10, 20}, {30, 40}};
        QTest::newRow("within, no travel") << "XYUV" << QSizeF() << inside << "";
        QTest::newRow("within the travel") << "XYUV" << QSizeF(30, 40) << inside << "";
        QTest::newRow("below 0") << "XYUV" << QSizeF() << TowerPosition{{10, 20}, {-0.5, -2}}
                                 << "axis U goes to -0.5000 mm, below 0";
        QTest::newRow("beyond the vertical travel") << "XYZA" << QSizeF(400, 35) << inside
                                                    << "axis A goes to 40.0000 mm, beyond its "
                                                       "travel of 35 mm";
        QTest::newRow("beyond any number")
            << "XYUV" << QSizeF()
            << TowerPosition{{10, 20}, {30, std::numeric_limits<double>::infinity()}}
            << "axis V goes beyond any number";
        QTest::newRow("beyond the horizontal travel") << "XYUV" << QSizeF(9.5, 400) << inside
                                                      << "axis X goes to 10.0000 mm, beyond its "
                                                         "travel of 9.5 mm";
    }
    void travel() {
        QFETCH(QString, axes);
        QFETCH(QSizeF, travel);
        QFETCH(TowerPosition, to);
        QFETCH(QString, message);
        FoamCut cut;
        cut.start = {{1, 2}, {3, 4}};
        cut.moves = {{to, 1.0}, {cut.start, 1.0}};
        const std::optional<QSizeF> limit =
            travel.isEmpty() ? std::nullopt : std::optional<QSizeF>(travel);
        QCOMPARE(CheckTravel(cut, limit, axes).error(), message);
    }

    void outlineFailures_data() {
        QTest::addColumn<double>("rootChord");
        QTest::addColumn<double>("tipChord");
        QTest::addColumn<double>("inset");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing of the root")
            << 40.0 << 200.0 << 3.0 << "root: an inset of 3 mm leaves nothing";
        QTest::newRow("nothing of the tip")
            << 200.0 << 30.0 << 3.0 << "tip: an inset of 3 mm leaves nothing";
    }
    void outlineFailures() {
        QFETCH(double, rootChord);
        QFETCH(double, tipChord);
        QFETCH(double, inset);
        QFETCH(QString, message);
        FoamPanel panel = panelOf(Naca0012, rootChord, Naca0012, tipChord);
        panel.features.inset = inset;
        const Result<FoamCut> cut =
            PlanFoamCut(panel, {800.0, 600.0, std::nullopt, RootSide::Left});
        QVERIFY(!cut);
        QVERIFY2(cut.error().startsWith(message), qPrintable(cut.error()));
    }
};

QTEST_GUILESS_MAIN(TestFoamCut)
#include "tst_foamcut.moc"
