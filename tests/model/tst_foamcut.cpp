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
Q_DECLARE_METATYPE(vandrix::WirePair)
Q_DECLARE_METATYPE(vandrix::FoamMachine)

namespace {

const Naca4 Naca2412{0.02, 0.4, 0.12};
const Naca4 Naca0012{0.0, 0.0, 0.12};

// An outline the rows name, at `chord` mm in its section's frame, and the kerf its path takes.
// "0012, 61 a side" and "4415, 81 a side" list their surfaces as ScaledOutline does, from the
// formulas; 4415's nose lies ahead of its first point.
struct Face {
    QString ring;
    double chord = 0.0;
    double kerf = 0.0;

    OutlineRing outline() const {
        OutlineRing points;
        const Naca4 formulas = ring.startsWith(u'4') ? Naca4{0.04, 0.4, 0.15} : Naca0012;
        if (ring.endsWith(QLatin1String("a side"))) {
            for (const auto& [x, y] : seligRun(formulas, ring.startsWith(u'4') ? 81 : 61)) {
                points.emplace_back(chord * x, chord * y);
            }
            return points;
        }
        SectionCurves section = stationSection(ring.startsWith(u'2') ? Naca2412 : Naca0012);
        if (ring == QLatin1String("2412, 1.5 mm edge")) {
            section = WithTrailingEdgeThickness(section, 1.5 / chord);
        } else if (ring == QLatin1String("0012, sharp edge")) {
            section.y(UpperCurve, SectionStations - 1) = 0.0;
            section.y(LowerCurve, SectionStations - 1) = 0.0;
        }
        return ScaledOutline(section, chord);
    }
};

// Where a ray from `from` along the unit vector `along` first crosses the ring.
double rayToRing(const OutlineRing& ring, QPointF from, QPointF along) {
    double nearest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const QPointF a = ring[i];
        const QPointF e = ring[(i + 1) % ring.size()] - a;
        const QPointF w = a - from;
        const double det = e.x() * along.y() - along.x() * e.y();
        const double t = (e.x() * w.y() - w.x() * e.y()) / det;
        const double u = (along.x() * w.y() - along.y() * w.x()) / det;
        if (det != 0.0 && t > 0.0 && u >= 0.0 && u <= 1.0) {
            nearest = std::min(nearest, t);
        }
    }
    return nearest;
}

QPointF unit(QPointF v) {
    return v / std::hypot(v.x(), v.y());
}

QByteArray text(QPointF p) {
    return QByteArray::number(p.x(), 'f', 6) + ',' + QByteArray::number(p.y(), 'f', 6);
}

bool near(QPointF a, QPointF b, double tolerance) {
    return std::hypot(a.x() - b.x(), a.y() - b.y()) <= tolerance;
}

// The path lies half the kerf outside the outline along each of the outline's normals, and
// every point of it that far from the outline (Clipper's round joins hold the arc to 0.001 mm a
// step, and a corner's steps are rounded: within 0.003 mm).
void checkKerf(const OutlineRing& outline, const OutlineRing& path, double kerf) {
    if (kerf == 0.0) {
        QVERIFY(path == outline);
        return;
    }
    OutlineRing ring;  // counter-clockwise, without repeated points
    std::unique_copy(outline.begin(), outline.end(), std::back_inserter(ring));
    if (ring.front() == ring.back()) {
        ring.pop_back();
    }
    std::vector<std::pair<double, double>> line;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const QPointF at = ring[i];
        const QPointF in = unit(at - ring[(i + ring.size() - 1) % ring.size()]);
        const QPointF out = unit(ring[(i + 1) % ring.size()] - at);
        const double along = rayToRing(path, at, unit({in.y() + out.y(), -in.x() - out.x()}));
        QVERIFY2(std::abs(along - kerf / 2.0) < 0.003, qPrintable(QString::number(along)));
        line.emplace_back(at.x(), at.y());
    }
    line.push_back(line.front());
    for (const QPointF& p : path) {
        QVERIFY2(std::abs(distanceTo(line, p.x(), p.y()) - kerf / 2.0) < 0.003, text(p));
    }
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
    double operator()(QPointF p) const { return (p.x() - nose) / (tail - nose); }
};

}  // namespace

Q_DECLARE_METATYPE(Face)

class TestFoamCut : public QObject {
    Q_OBJECT

private slots:
    // The wire through two face points, extended to the tower planes, worked out by hand.
    void projection_data() {
        QTest::addColumn<FoamMachine>("machine");
        QTest::addColumn<WirePair>("faces");
        QTest::addColumn<TowerPosition>("towers");
        const FoamMachine tapered{1000, 500, 200.0, RootSide::Left};
        QTest::newRow("untapered")
            << FoamMachine{800, 600, {}, RootSide::Left} << WirePair{{100, 40}, {100, 40}}
            << TowerPosition{{100, 40}, {100, 40}};
        // Root face at 200, tip face at 700: the left tower 0.4 spans ahead of the root, the
        // right one 1.6 spans from it.
        QTest::newRow("tapered, first point")
            << tapered << WirePair{{100, 50}, {60, 40}} << TowerPosition{{116, 54}, {36, 34}};
        QTest::newRow("tapered, second point")
            << tapered << WirePair{{20, 30}, {40, 36}} << TowerPosition{{12, 27.6}, {52, 39.6}};
        QTest::newRow("tapered, root on the right")
            << FoamMachine{1000, 500, 200.0, RootSide::Right} << WirePair{{100, 50}, {60, 40}}
            << TowerPosition{{36, 34}, {116, 54}};
        // Centred: faces at 150 and 650 of 800.
        QTest::newRow("tapered, centred")
            << FoamMachine{800, 500, {}, RootSide::Left} << WirePair{{100, 50}, {50, 40}}
            << TowerPosition{{115, 53}, {35, 37}};
    }
    void projection() {
        QFETCH(FoamMachine, machine);
        QFETCH(WirePair, faces);
        QFETCH(TowerPosition, towers);
        const TowerPosition at = ProjectWire(faces, machine);
        QVERIFY2(near(at.left, towers.left, 1e-9) && near(at.right, towers.right, 1e-9),
                 QByteArray(text(at.left) + ' ' + text(at.right)).constData());
        const WirePair back = FacesOf(at, machine);
        QVERIFY(near(back.root, faces.root, 1e-9) && near(back.tip, faces.tip, 1e-9));
    }

    // The kerf paths of NACA 2412 at 200 and 120 mm, and root and tip points paired at equal
    // fractions of x on the same surface, at every point of both paths and at the stations.
    void pairing_data() {
        QTest::addColumn<Face>("root");
        QTest::addColumn<Face>("tip");
        QTest::newRow("kerf on 2412 at 200 and 120 mm")
            << Face{"2412", 200, 1} << Face{"2412", 120, 2.5};
        QTest::newRow("161 points, a nose ahead of the first, against 121")
            << Face{"4415, 81 a side", 250} << Face{"0012, 61 a side", 150};
        QTest::newRow("a blunt trailing edge against a point")
            << Face{"2412, 1.5 mm edge", 200} << Face{"0012, sharp edge", 100};
        QTest::newRow("kerf, a nose ahead of the first point")
            << Face{"4415, 81 a side", 300, 0.8} << Face{"0012, sharp edge", 90, 5};
    }
    void pairing() {
        QFETCH(Face, root);
        QFETCH(Face, tip);
        const OutlineRing rootPath = KerfPath(root.outline(), root.kerf);
        const OutlineRing tipPath = KerfPath(tip.outline(), tip.kerf);
        checkKerf(root.outline(), rootPath, root.kerf);
        checkKerf(tip.outline(), tipPath, tip.kerf);
        const std::vector<WirePair> pairs = PairPaths(rootPath, tipPath);
        const Span r(rootPath);
        const Span t(tipPath);
        // A loop from the trailing edge round the nose, both leftmost points in one pair.
        QVERIFY(pairs.front().root == pairs.back().root && pairs.front().tip == pairs.back().tip);
        QVERIFY(r(pairs.front().root) > 1.0 - 1e-5 && t(pairs.front().tip) > 1.0 - 1e-5);
        const auto nose = std::find_if(pairs.begin(), pairs.end(),
                                       [&](const WirePair& p) { return p.root.x() == r.nose; });
        QVERIFY(nose != pairs.end() && nose->tip.x() == t.nose);
        for (auto p = pairs.begin(); p != pairs.end(); ++p) {
            const double f = r(p->root);
            QVERIFY2(std::abs(f - t(p->tip)) < 1e-5,
                     qPrintable(QString::number(p - pairs.begin())));
            if (p != pairs.begin()) {
                QVERIFY(p <= nose ? f <= r((p - 1)->root) + 1e-12 : f >= r((p - 1)->root) - 1e-12);
            }
            // Upper with upper: both above their chord lines before the nose, below after it.
            if (f > 0.05 && f < 0.9) {
                QVERIFY((p < nose) == (p->root.y() > 0.0) && (p < nose) == (p->tip.y() > 0.0));
            }
        }
        for (const bool isRoot : {true, false}) {
            for (const QPointF& q : isRoot ? rootPath : tipPath) {
                QVERIFY2(
                    std::any_of(pairs.begin(), pairs.end(),
                                [&](const WirePair& w) { return (isRoot ? w.root : w.tip) == q; }),
                    text(q));
            }
        }
        for (int i = 0; i < SectionStations; ++i) {
            const auto at = [&](const WirePair& w) {
                return std::abs(r(w.root) - station(i)) < 1e-9;
            };
            QVERIFY(std::any_of(pairs.begin(), nose + 1, at) && std::any_of(nose, pairs.end(), at));
        }
    }

    // The root's leading edge at the origin; the tip's `sweep` further along h, turned nose
    // down by the washout about the middle of its trailing edge; the lead-in 10 mm aft of each.
    void sweepAndWashout_data() {
        QTest::addColumn<double>("sweep");
        QTest::addColumn<double>("washout");
        QTest::addColumn<QPointF>("nose");
        QTest::addColumn<QPointF>("trailingEdge");
        // Tip chord 120, origin 20:30: the trailing edge's middle at (140 + sweep, 30).
        QTest::newRow("swept forward") << -25.5 << 0.0 << QPointF(-5.5, 30) << QPointF(114.5, 30);
        // 120 (1 - cos 3 deg) = 0.1644558, 120 sin 3 deg = 6.2803147.
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
        FoamPanel panel;
        panel.root = stationSection(Naca2412);
        panel.tip = stationSection(Naca0012);
        panel.rootChord = 200.0;
        panel.tipChord = 120.0;
        panel.sweep = sweep;
        panel.washout = washout;
        const Result<FoamCut> cut =
            PlanFoamCut(panel, {800.0, 600.0, std::nullopt, RootSide::Left});
        QVERIFY2(cut, qPrintable(cut.error()));
        const OutlineRing& tip = cut.value().tipOutline;
        QVERIFY2(near(tip[200], nose, 1e-6), text(tip[200]));
        QVERIFY2(near((tip.front() + tip.back()) / 2.0, trailingEdge, 1e-6), text(tip.front()));
        QVERIFY(near(cut.value().rootOutline[200], QPointF(20, 30), 1e-12));
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
        const TowerPosition left{{8, 0}, {0, 0}};
        const TowerPosition both{{8, 0}, {0, 12}};
        QTest::newRow("left tower alone: root 6 mm, tip 2") << zero << left << 200.0 / 6.0;
        QTest::newRow("right tower alone: root 3 mm, tip 9") << left << both << 200.0 / 9.0;
        QTest::newRow("both alike: each face 5 mm")
            << both << TowerPosition{{11, 4}, {3, 16}} << 40.0;
        QTest::newRow("within the rounding: no move")
            << zero << TowerPosition{{0.00004, 0}, {0, -0.00004}} << 0.0;
        QTest::newRow("from the rounded coordinates")
            << zero << TowerPosition{{8.00004, 0}, {0, 0}} << 200.0 / 6.0;
    }
    void feed() {
        QFETCH(TowerPosition, from);
        QFETCH(TowerPosition, to);
        QFETCH(double, inverseTime);
        const std::vector<WireMove> moves =
            WireMoves(from, {to}, {1000.0, 500.0, 250.0, RootSide::Left}, 200.0);
        QCOMPARE(moves.size(), inverseTime == 0.0 ? 0u : 1u);
        if (!moves.empty()) {
            QVERIFY2(std::abs(moves[0].inverseTime - inverseTime) < 1e-9,
                     QByteArray::number(moves[0].inverseTime, 'g', 12));
            QVERIFY(moves[0].to == RoundedPosition(to));
        }
    }

    // A tower coordinate below 0 or beyond the travel fails the cut, naming the axis.
    void travel_data() {
        QTest::addColumn<QString>("axes");
        QTest::addColumn<TowerPosition>("to");
        QTest::addColumn<QString>("message");  // empty: within
        const TowerPosition inside{{10, 20}, {30, 40}};
        QTest::newRow("at the travel's edge") << "XYUV" << inside << "";
        QTest::newRow("below 0") << "XYUV" << TowerPosition{{10, 20}, {-0.5, -2}}
                                 << "axis U goes to -0.5000 mm, below 0";
        QTest::newRow("beyond the vertical travel")
            << "XYZA" << TowerPosition{{10, 20}, {30, 40.5}}
            << "axis A goes to 40.5000 mm, beyond its travel of 40 mm";
    }
    void travel() {
        QFETCH(QString, axes);
        QFETCH(TowerPosition, to);
        QFETCH(QString, message);
        FoamCut cut;
        cut.start = {{1, 2}, {3, 4}};
        cut.moves = {{to, 1.0}, {cut.start, 1.0}};
        QCOMPARE(CheckTravel(cut, QSizeF(30, 40), axes).error(), message);
    }
};

QTEST_GUILESS_MAIN(TestFoamCut)
#include "tst_foamcut.moc"
