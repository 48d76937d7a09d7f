// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateReadBack.h"
#include "model/RibGeometry.h"

#include <QTest>

#include <cmath>

using namespace vandrix;
using namespace vandrix::testing;

namespace {

SectionCurves section(const Naca4& naca) {
    return stationSection(naca);
}

const Naca4 Naca2412{0.02, 0.4, 0.12};
const Naca4 Naca0012{0.0, 0.0, 0.12};

double distanceToRing(const OutlineRing& ring, QPointF p) {
    std::vector<std::pair<double, double>> line;
    for (const QPointF& q : ring) {
        line.emplace_back(q.x(), q.y());
    }
    line.emplace_back(ring.front().x(), ring.front().y());
    return distanceTo(line, p.x(), p.y());
}

bool inside(const OutlineRing& ring, QPointF p) {
    bool in = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const QPointF a = ring[i];
        const QPointF b = ring[j];
        if ((a.y() > p.y()) != (b.y() > p.y()) &&
            p.x() < (b.x() - a.x()) * (p.y() - a.y()) / (b.y() - a.y()) + a.x()) {
            in = !in;
        }
    }
    return in;
}

}  // namespace

class TestRibGeometry : public QObject {
    Q_OBJECT

private slots:
    void outlineAtChord_data() {
        QTest::addColumn<double>("chord");
        for (const double chord : {1.0, 37.5, 150.0, 600.0, 5000.0}) {
            QTest::addRow("%g mm", chord) << chord;
        }
    }
    void outlineAtChord() {
        QFETCH(double, chord);
        const SectionCurves s = section(Naca2412);
        const Result<RibOutline> rib = BuildRib(s, chord, {});
        QVERIFY(rib);
        QCOMPARE(rib.value().rings.size(), 1u);
        const OutlineRing& ring = rib.value().rings.front();
        QCOMPARE(ring.size(), 402u);
        // Upper from the trailing edge to the nose, then lower from the nose back.
        for (int i = 0; i < SectionStations; ++i) {
            const QPointF up = ring[static_cast<std::size_t>(200 - i)];
            const QPointF low = ring[static_cast<std::size_t>(201 + i)];
            const double x = station(i);
            QVERIFY(std::abs(up.x() - chord * x) < 0.01);
            QVERIFY(std::abs(up.y() - chord * stationHeight(Naca2412, x, 1)) < 0.01);
            QVERIFY(std::abs(low.y() - chord * stationHeight(Naca2412, x, -1)) < 0.01);
        }
    }

    void trailingEdgeThickness_data() {
        QTest::addColumn<double>("chord");
        QTest::addColumn<double>("thickness");
        // The formulas leave the trailing edge 0.252 % of the chord thick.
        QTest::newRow("0.8 mm at 200") << 200.0 << 0.8;
        QTest::newRow("1 mm at 200") << 200.0 << 1.0;
        QTest::newRow("2 mm at 80") << 80.0 << 2.0;
        QTest::newRow("3 mm at 1000") << 1000.0 << 3.0;
    }
    void trailingEdgeThickness() {
        QFETCH(double, chord);
        QFETCH(double, thickness);
        const SectionCurves s = section(Naca2412);
        const OutlineRing plain = ScaledOutline(s, chord);
        const Result<RibOutline> rib = BuildRib(s, chord, {thickness, 0.0, {}});
        QVERIFY(rib);
        const OutlineRing& ring = rib.value().rings.front();
        // The trailing edge is exactly as thick as asked.
        QVERIFY(std::abs((ring[0].y() - ring[401].y()) - thickness) < 1e-9);
        QVERIFY(thickness > plain[0].y() - plain[401].y());
        const double before = plain[0].y() - plain[401].y();
        for (int i = 0; i < SectionStations; ++i) {
            const double x = station(i);
            const double up = ring[static_cast<std::size_t>(200 - i)].y() -
                              plain[static_cast<std::size_t>(200 - i)].y();
            const double low = plain[static_cast<std::size_t>(201 + i)].y() -
                               ring[static_cast<std::size_t>(201 + i)].y();
            // Half each, and nothing ahead of 20 % of the chord.
            QVERIFY(std::abs(up - low) < 1e-9);
            if (x <= 0.2) {
                QCOMPARE(up, 0.0);
            } else if (i < 200) {
                const double u = (x - 0.2) / 0.8;
                QVERIFY(std::abs(up - 0.5 * (thickness - before) * u * u * (3 - 2 * u)) < 1e-9);
            }
        }
        // A trailing edge already thicker stays as it is.
        const Result<RibOutline> thin = BuildRib(s, chord, {before / 2, 0.0, {}});
        QVERIFY(thin.value().rings.front() == plain);
    }

    void inset_data() {
        QTest::addColumn<double>("chord");
        QTest::addColumn<double>("inset");
        QTest::newRow("0.5 mm at 150") << 150.0 << 0.5;
        QTest::newRow("1.5 mm at 200") << 200.0 << 1.5;
        QTest::newRow("3 mm at 600") << 600.0 << 3.0;
    }
    void inset() {
        QFETCH(double, chord);
        QFETCH(double, inset);
        const SectionCurves s = section(Naca2412);
        const OutlineRing plain = ScaledOutline(s, chord);
        const Result<RibOutline> rib = BuildRib(s, chord, {0.0, inset, {}});
        QVERIFY(rib);
        QCOMPARE(rib.value().rings.size(), 1u);
        const OutlineRing& ring = rib.value().rings.front();
        QVERIFY(ring.size() > 100);
        for (const QPointF& p : ring) {
            QVERIFY2(std::abs(distanceToRing(plain, p) - inset) < 0.01,
                     qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
            QVERIFY(inside(plain, p));
        }
        // The nose moves aft by the inset along its normal.
        QVERIFY(std::abs(rib.value().bounds().left() - inset) < 0.01);
    }

    void sparNotch_data() {
        QTest::addColumn<double>("position");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("depth");
        QTest::addColumn<int>("side");
        QTest::addColumn<double>("inset");
        QTest::newRow("upper 25 %") << 25.0 << 6.0 << 5.0 << int(SparNotch::Side::Upper) << 0.0;
        QTest::newRow("lower 60 %") << 60.0 << 4.0 << 3.0 << int(SparNotch::Side::Lower) << 0.0;
        QTest::newRow("both 35 %") << 35.0 << 3.0 << 4.0 << int(SparNotch::Side::Both) << 0.0;
        QTest::newRow("upper 30 % inset")
            << 30.0 << 5.0 << 4.0 << int(SparNotch::Side::Upper) << 1.5;
    }
    void sparNotch() {
        QFETCH(double, position);
        QFETCH(double, width);
        QFETCH(double, depth);
        QFETCH(int, side);
        QFETCH(double, inset);
        const double chord = 200.0;
        const SectionCurves s = section(Naca2412);
        const Result<RibOutline> before = BuildRib(s, chord, {0.0, inset, {}});
        const SparNotch spar{position, width, depth, static_cast<SparNotch::Side>(side)};
        const Result<RibOutline> rib = BuildRib(s, chord, {0.0, inset, {spar}});
        QVERIFY2(rib, qPrintable(rib.error()));
        QCOMPARE(rib.value().rings.size(), 1u);
        const double centre = position / 100 * chord;
        for (const bool upper : {true, false}) {
            const bool cut = spar.side == SparNotch::Side::Both ||
                             (upper == (spar.side == SparNotch::Side::Upper));
            const double surface = *SurfaceHeight(before.value().rings, centre, upper);
            const double bottom = *SurfaceHeight(rib.value().rings, centre, upper);
            // The notch's floor lies DEPTH from the surface at its centre, square to the chord.
            QVERIFY(std::abs(std::abs(bottom - surface) - (cut ? depth : 0.0)) < 0.01);
            // Its walls stand WIDTH apart, centred on POS: just inside them the floor is flat,
            // just outside the surface is back.
            for (const double edge : {-1.0, 1.0}) {
                const double in = centre + edge * (width / 2 - 0.05);
                const double out = centre + edge * (width / 2 + 0.05);
                QVERIFY(std::abs(*SurfaceHeight(rib.value().rings, in, upper) - bottom) <
                        (cut ? 0.01 : 1.0));
                QVERIFY(std::abs(*SurfaceHeight(rib.value().rings, out, upper) -
                                 *SurfaceHeight(before.value().rings, out, upper)) < 0.01);
            }
        }
    }

    void ribFailures_data() {
        QTest::addColumn<double>("chord");
        QTest::addColumn<double>("inset");
        QTest::addColumn<QString>("spar");  // position:width:depth:side
        QTest::addColumn<QString>("message");
        QTest::newRow("notch wider than the chord") << 50.0 << 0.0 << "50:60:2:0"
                                                    << "wider than";
        QTest::newRow("notch through the rib") << 100.0 << 0.0 << "30:5:13:0"
                                               << "through";
        QTest::newRow("two notches meeting") << 100.0 << 0.0 << "30:5:6.5:2"
                                             << "through";
        QTest::newRow("notch past the trailing edge") << 100.0 << 0.0 << "99:4:1:0"
                                                      << "within the rib";
        QTest::newRow("inset leaves nothing") << 100.0 << 7.0 << ""
                                              << "leaves nothing";
    }
    void ribFailures() {
        QFETCH(double, chord);
        QFETCH(double, inset);
        QFETCH(QString, spar);
        QFETCH(QString, message);
        RibFeatures features{0.0, inset, {}};
        if (!spar.isEmpty()) {
            const QStringList p = spar.split(QLatin1Char(':'));
            features.spars.push_back({p[0].toDouble(), p[1].toDouble(), p[2].toDouble(),
                                      static_cast<SparNotch::Side>(p[3].toInt())});
        }
        const Result<RibOutline> rib = BuildRib(section(Naca0012), chord, features);
        QVERIFY(!rib);
        QVERIFY2(rib.error().contains(message), qPrintable(rib.error()));
    }

    void blend() {
        const SectionCurves root = section(Naca2412);
        const SectionCurves tip = section(Naca0012);
        const SectionCurves middle = BlendSections(root, tip, 0.5);
        for (int i = 0; i < SectionStations; ++i) {
            const double x = station(i);
            QCOMPARE(middle.x(UpperCurve, i), x);
            QVERIFY(std::abs(middle.y(UpperCurve, i) - 0.5 * (stationHeight(Naca2412, x, 1) +
                                                              stationHeight(Naca0012, x, 1))) <
                    1e-12);
            QVERIFY(std::abs(middle.y(LowerCurve, i) - 0.5 * (stationHeight(Naca2412, x, -1) +
                                                              stationHeight(Naca0012, x, -1))) <
                    1e-12);
        }
        QVERIFY(BlendSections(root, tip, 0.0) == root);
        QVERIFY(BlendSections(root, tip, 1.0) == tip);
    }

    void notASection() {
        QVERIFY(CheckSection(section(Naca2412)));
        QVERIFY(!CheckSection(SectionCurves{}));
        SectionCurves broken = section(Naca2412);
        broken.y(UpperCurve, 40) = std::nan("");
        QVERIFY(!CheckSection(broken));
    }
};

QTEST_GUILESS_MAIN(TestRibGeometry)
#include "tst_ribgeometry.moc"
