// SPDX-License-Identifier: GPL-3.0-or-later
// The steps of the section geometry, each on its own: the frame, the surface sampler, the
// measures, the checks and the warnings.
#include "NacaSections.h"
#include "model/SectionChecks.h"
#include "model/SectionFrame.h"
#include "model/SectionGeometry.h"
#include "model/SectionMeasures.h"
#include "model/SectionWarnings.h"
#include "model/SurfaceSampler.h"

#include <Eigen/Geometry>

#include <QPointF>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <functional>
#include <numbers>

using namespace vandrix;
using namespace vandrix::testing;

using Check = std::function<Status()>;
using Warnings = std::function<QStringList()>;
Q_DECLARE_METATYPE(vandrix::SectionPoints)
Q_DECLARE_METATYPE(vandrix::SectionCurves)
Q_DECLARE_METATYPE(Check)
Q_DECLARE_METATYPE(Warnings)

namespace {

const Naca4 Naca0012{0.0, 0.0, 0.12};

using Change = std::function<SectionPoint(const SectionPoint&)>;

// The formulas' run (a Selig file's order, unrounded), each point moved by `change`.
template <typename Drawn>
SectionPoints nacaRun(const Drawn& naca, int perSide, const Change& change = {}) {
    SectionPoints run;
    for (const auto& [x, y] : seligRun(naca, perSide)) {
        run.push_back(change ? change(SectionPoint(x, y)) : SectionPoint(x, y));
    }
    return run;
}

Change turnedBy(double degrees) {
    return [degrees](const SectionPoint& p) -> SectionPoint {
        return Eigen::Rotation2Dd(degrees * std::numbers::pi / 180.0) * p;
    };
}

// A dense polyline of a run, each point moved by `change`, for heightAt and distanceTo.
std::vector<std::pair<double, double>> line(const std::vector<std::pair<double, double>>& points,
                                            const Change& change = {}) {
    std::vector<std::pair<double, double>> moved;
    for (const auto& [x, y] : points) {
        const SectionPoint p = change ? change(SectionPoint(x, y)) : SectionPoint(x, y);
        moved.emplace_back(p.x(), p.y());
    }
    return moved;
}

SectionCurves curvesOf(const std::function<double(double)>& upper,
                       const std::function<double(double)>& lower) {
    SectionCurves curves;
    for (int i = 0; i < SectionStations; ++i) {
        const double x = StationX(i);
        curves.setPoint(UpperCurve, i, {x, upper(x)});
        curves.setPoint(LowerCurve, i, {x, lower(x)});
    }
    return curves;
}

// A small outline with its nose (0, 0) at index 5, the surface towards the first point (dir -1)
// ending at x = upperEnd.
SectionPoints handOutline(double upperEnd = 1.0) {
    return {{upperEnd, 0.0}, {0.7, 0.04},  {0.4, 0.06},  {0.2, 0.05},  {0.05, 0.02}, {0.0, 0.0},
            {0.05, -0.02},   {0.2, -0.03}, {0.4, -0.03}, {0.7, -0.02}, {1.0, 0.0}};
}

// The hand-made outline with its point at x = 0.4 on the surface in direction `dir` moved to
// 0.2 - back: a step back from 0.2.
SectionPoints foldedOutline(int dir, double back) {
    SectionPoints points = handOutline();
    points[dir < 0 ? 2 : 8].x() = 0.2 - back;
    return points;
}

// NACA 0012 with 61 points a side, the first `upperCut` and the last `lowerCut` left off: the
// surfaces stop short of the trailing edge. Its nose is point 60 - upperCut.
SectionPoints cutRun(int upperCut, int lowerCut) {
    SectionPoints run = nacaRun(Naca0012, 61);
    run.erase(run.end() - lowerCut, run.end());
    run.erase(run.begin(), run.begin() + upperCut);
    return run;
}

}  // namespace

class TestSectionSteps : public QObject {
    Q_OBJECT

private slots:
    void frame_data();
    void frame();
    void sampler_data();
    void sampler();
    void sampledCurves_data();
    void sampledCurves();
    void measures_data();
    void measures();
    void figures_data();
    void figures();
    void checks_data();
    void checks();
    void warnings_data();
    void warnings();
};

// Rows from NACA 0012 (61 points a side, its nose a point of the run) moved, scaled and turned,
// and runs that fail: the frame found, its wording, and the normalised points.
void TestSectionSteps::frame_data() {
    QTest::addColumn<SectionPoints>("run");
    QTest::addColumn<QString>("wording");  // its start, or the failure
    QTest::addColumn<QPointF>("lead");     // the leading edge in the file's units
    QTest::addColumn<double>("turn");      // degrees
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("points");  // left once repeats are dropped and the nose placed
    QTest::addColumn<double>("off");  // how far off the section the normalised points may lie
    const QString none = QStringLiteral("none, the file is in the normalised frame");
    const QString designer = QStringLiteral("the designer's frame, leading edge (");
    const QString moved = QStringLiteral("leading edge (");
    const auto row = [](const char* name, const SectionPoints& run, const QString& wording,
                        QPointF lead = {}, double turn = 0, double scale = 1, int points = 121,
                        double off = 1e-8) {
        QTest::newRow(name) << run << wording << lead << turn << scale << points << off;
    };
    const auto naca = [](const Change& change) { return nacaRun(Naca0012, 61, change); };
    row("normalised: kept as it is", nacaRun(Naca0012, 61), none);
    row("percent", naca([](const SectionPoint& p) -> SectionPoint { return 100 * p; }), moved, {},
        0, 0.01);
    row("millimetres, moved",
        naca([](const SectionPoint& p) -> SectionPoint { return SectionPoint(20, 5) + 150 * p; }),
        moved, {20, 5}, 0, 1 / 150.0);
    row("turned by 5 degrees", naca(turnedBy(5)), moved, {}, -5);
    SectionPoints reversed = naca(turnedBy(-3));
    std::reverse(reversed.begin(), reversed.end());
    row("lower surface first, turned by -3 degrees", reversed, moved, {}, 3);
    row("scaled by 1e-300", naca([](const SectionPoint& p) -> SectionPoint { return 1e-300 * p; }),
        moved, {}, 0, 1e300);
    row("nose 0.0004 off: the designer's frame", naca([](const SectionPoint& p) -> SectionPoint {
            return SectionPoint(0.0004, 0) + 0.9996 * p;
        }),
        designer, {0.0004, 0}, 0, 1 / 0.9996);
    row("nose 0.0006 off: on the nose", naca([](const SectionPoint& p) -> SectionPoint {
            return SectionPoint(0.0006, 0) + 0.9994 * p;
        }),
        moved, {0.0006, 0}, 0, 1 / 0.9994);
    row("trailing edge 0.0006 off: on the nose",
        naca([](const SectionPoint& p) -> SectionPoint { return 1.0006 * p; }), moved, {}, 0,
        1 / 1.0006);
    row("turned by 0.02 degrees: the designer's frame", naca(turnedBy(0.02)), designer, {}, -0.02);
    // The nose lies on the smoothed outline between the two points next to it.
    SectionPoints noseless = nacaRun(Naca0012, 61);
    noseless.erase(noseless.begin() + 60);
    row("no point at the nose: one placed there", noseless, moved, {NAN, 0}, 0, NAN, 121, 3e-4);
    SectionPoints repeated = nacaRun(Naca0012, 61);
    repeated.insert(repeated.begin() + 60, repeated[60]);
    repeated.push_back(repeated.back());
    row("repeated points dropped", repeated, none);
    SectionPoints few(repeated.begin(), repeated.begin() + 8);
    few.insert(few.begin() + 3, few[3]);
    few.push_back(few.back());
    row("10 points, 2 of them repeats", few,
        "the 10 points collapse to 8 distinct points at double precision");
    row("no points", {}, "no points");
    row("every point at (0, 0)", SectionPoints(9, SectionPoint(0, 0)),
        "every point lies at (0, 0)");
    SectionPoints huge = nacaRun(Naca0012, 61);
    huge.front().x() = INFINITY;
    row("a point beyond the doubles", huge, "coordinates too large");
}

void TestSectionSteps::frame() {
    QFETCH(SectionPoints, run);
    QFETCH(QString, wording);
    QFETCH(QPointF, lead);
    QFETCH(double, turn);
    QFETCH(double, scale);
    QFETCH(int, points);
    QFETCH(double, off);
    const Result<SectionFrame> result = NormaliseFrame(run);
    static const QRegularExpression framed(
        QStringLiteral("^(none, |the designer's frame, |leading edge \\()"));
    if (!framed.match(wording).hasMatch()) {
        QCOMPARE(result.errors(), QStringList(wording));
        return;
    }
    QVERIFY2(result.ok(), qPrintable(result.error()));
    const SectionFrame& frame = result.value();
    QVERIFY2(frame.change.startsWith(wording), qPrintable(frame.change));
    QCOMPARE(frame.kept, !wording.startsWith(QLatin1String("lead")));
    QCOMPARE(int(frame.points.size()), points);
    QCOMPARE(frame.points[std::size_t(frame.nose)], SectionPoint(0, 0));
    const SectionPoint te = (frame.points.front() + frame.points.back()) / 2;
    QVERIFY((te - SectionPoint(1, 0)).norm() < 1e-12);
    if (frame.change.startsWith(QLatin1String("none"))) {  // not a bit changed
        const SectionPoints plain = nacaRun(Naca0012, 61);
        QVERIFY(std::equal(frame.points.begin(), frame.points.end(), plain.begin(), plain.end()));
        return;
    }
    static const QRegularExpression numbers(
        QStringLiteral("leading edge \\((\\S+), (\\S+)\\) moved to \\(0, 0\\), chord turned by "
                       "(-?\\d+\\.\\d{4}) degrees, scaled by (\\S+)$"));
    const QRegularExpressionMatch m = numbers.match(frame.change);
    QVERIFY2(m.hasMatch(), qPrintable(frame.change));
    const double unit = std::isnan(scale) ? 1 : scale;  // file units to chords
    QVERIFY(std::isnan(lead.x()) || std::abs(m.captured(1).toDouble() - lead.x()) * unit < 1e-6);
    QVERIFY(std::abs(m.captured(2).toDouble() - lead.y()) * unit < 1e-6);
    QVERIFY2(std::abs(m.captured(3).toDouble() - turn) < 1e-4, qPrintable(m.captured(3)));
    QVERIFY(std::isnan(scale) || std::abs(m.captured(4).toDouble() / scale - 1) < 1e-5);
    // Turned back, each point lies where the run it was made from has it, in the run's order.
    SectionPoints plain = nacaRun(Naca0012, 61);
    if (run.front().y() < run.back().y()) {
        std::reverse(plain.begin(), plain.end());
    }
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const double d = (frame.points[i] - plain[i]).norm();
        QVERIFY2(d <= off, qPrintable(QStringLiteral("point %1: %2").arg(i).arg(d)));
    }
}

// Surface heights against the polyline of the dense formulas, as heightAt takes it: the first
// crossing of each station from the leading edge.
void TestSectionSteps::sampler_data() {
    QTest::addColumn<SectionPoints>("outline");
    QTest::addColumn<int>("nose");
    QTest::addColumn<int>("dir");
    QTest::addColumn<QList<double>>("heights");
    QTest::addColumn<double>("tolerance");
    const auto heights = [](const std::vector<std::pair<double, double>>& dense) {
        QList<double> ys;
        for (int i = 0; i < SectionStations; ++i) {
            ys << heightAt(dense, StationX(i));
        }
        return ys;
    };
    const Naca4 naca4415{0.04, 0.4, 0.15};
    QTest::newRow("NACA 0012 upper, 61 a side")
        << nacaRun(Naca0012, 61) << 60 << -1 << heights(Naca0012.dense(1)) << 2e-5;
    QTest::newRow("NACA 4415 lower, 35 a side")
        << nacaRun(naca4415, 35) << 34 << 1 << heights(naca4415.dense(-1)) << 1e-4;
    // Turned about the nose, the upper surface runs ahead of it before it turns back.
    QTest::newRow("NACA 0012 upper turned by 20 degrees: ahead of the nose first")
        << nacaRun(Naca0012, 61, turnedBy(20)) << 60 << -1
        << heights(line(Naca0012.dense(1), turnedBy(20))) << 2e-5;
    const Change up = [](const SectionPoint& p) -> SectionPoint {
        return p + SectionPoint(0.01, 0.002);
    };
    QList<double> ahead = heights(line(Naca0012.dense(-1), up));
    for (int i = 0; StationX(i) <= 0.01; ++i) {
        ahead[i] = 0.002;
    }
    QTest::newRow("stations at or ahead of the nose: its height")
        << nacaRun(Naca0012, 61, up) << 60 << 1 << ahead << 2e-5;
    const SectionPoints cut = cutRun(0, 20);  // the lower surface ends at x = 0.75
    QList<double> ys = heights(Naca0012.dense(-1));
    for (int i = 0; i < SectionStations; ++i) {
        if (StationX(i) > cut.back().x()) {
            ys[i] = cut.back().y();
        }
    }
    QTest::newRow("a surface that stops short: its last height beyond")
        << cut << 60 << 1 << ys << 2e-5;
    // The last point runs back by less than a fold: the one before reaches farthest. The kink
    // ripples the spline upstream, where the heights are not compared (NaN).
    SectionPoints hooked = cut;
    hooked.push_back(cut.back() + SectionPoint(-0.0005, -0.002));
    for (int i = 0; i < SectionStations; ++i) {
        if (StationX(i) > 0.6 && StationX(i) <= cut.back().x()) {
            ys[i] = NAN;
        }
    }
    QTest::newRow("a surface whose end turns back: its farthest point's height beyond")
        << hooked << 60 << 1 << ys << 2e-5;
}

void TestSectionSteps::sampler() {
    QFETCH(SectionPoints, outline);
    QFETCH(int, nose);
    QFETCH(int, dir);
    QFETCH(QList<double>, heights);
    QFETCH(double, tolerance);
    const SmoothOutline smooth(outline);
    StationValues xs{};
    for (int i = 0; i < SectionStations; ++i) {
        xs[std::size_t(i)] = StationX(i);
    }
    const StationValues ys = Surface(smooth, nose, dir).heights(xs);
    for (int i = 0; i < SectionStations; ++i) {
        QVERIFY2(std::isnan(heights[i]) || std::abs(ys[std::size_t(i)] - heights[i]) <= tolerance,
                 qPrintable(QStringLiteral("station %1: %2 against %3")
                                .arg(i)
                                .arg(ys[std::size_t(i)])
                                .arg(heights[i])));
    }
}

// Which surface is the upper one, and the curves' trailing-edge ends.
void TestSectionSteps::sampledCurves_data() {
    QTest::addColumn<SectionPoints>("outline");
    QTest::addColumn<int>("nose");
    QTest::addColumn<bool>("firstUpper");
    QTest::addColumn<QPointF>("upperEnd");
    QTest::addColumn<QPointF>("lowerEnd");
    const SectionPoints selig = nacaRun(Naca0012, 61);
    const QPointF upper(selig.front().x(), selig.front().y());
    const QPointF lower(selig.back().x(), selig.back().y());
    QTest::newRow("upper surface first") << selig << 60 << true << upper << lower;
    SectionPoints reversed(selig.rbegin(), selig.rend());
    QTest::newRow("lower surface first") << reversed << 60 << false << upper << lower;
    const SectionPoints cut = cutRun(0, 20);
    QTest::newRow("a surface that stops short: its own end")
        << cut << 60 << true << upper << QPointF(cut.back().x(), cut.back().y());
    SectionPoints beyond = selig;
    beyond.front() = SectionPoint(1.002, 0.0011);
    QTest::newRow("an end beyond the chord: the station")
        << beyond << 60 << true << QPointF(1, NAN) << lower;
}

void TestSectionSteps::sampledCurves() {
    QFETCH(SectionPoints, outline);
    QFETCH(int, nose);
    QFETCH(bool, firstUpper);
    QFETCH(QPointF, upperEnd);
    QFETCH(QPointF, lowerEnd);
    const SampledSurfaces sampled = SampleSurfaces(SmoothOutline(outline), nose);
    QCOMPARE(sampled.firstUpper, firstUpper);
    const SectionCurves& c = sampled.curves;
    QCOMPARE(c.point(UpperCurve, 0), QPointF(0, 0));
    QCOMPARE(c.point(LowerCurve, 0), QPointF(0, 0));
    for (int i = 1; i < SectionStations - 1; ++i) {
        QCOMPARE(c.x(UpperCurve, i), StationX(i));
        QCOMPARE(c.x(LowerCurve, i), StationX(i));
        QVERIFY(c.y(UpperCurve, i) > c.y(LowerCurve, i));
    }
    QCOMPARE(c.x(UpperCurve, 200), upperEnd.x());
    QVERIFY(std::isnan(upperEnd.y()) || c.y(UpperCurve, 200) == upperEnd.y());
    QCOMPARE(c.point(LowerCurve, 200), lowerEnd);
}

// The measures of curves taken from the formulas at the stations, and the leading-edge radius
// of the formulas' outline with 61 points a side.
void TestSectionSteps::measures_data() {
    QTest::addColumn<double>("m");
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("lift");  // lift (1 - x) added to every height
    QTest::addColumn<bool>("upsideDown");
    QTest::addColumn<double>("camber");
    QTest::addColumn<double>("camberX");
    QTest::addColumn<double>("tolerance");  // of the camber; 0: exactly
    QTest::newRow("0012") << 0.0 << 0.0 << 0.12 << 0.0 << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("0012, mean line 0.00004 (1 - x): symmetric")
        << 0.0 << 0.0 << 0.12 << 0.00004 << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("0012, mean line 0.00006 (1 - x): cambered")
        << 0.0 << 0.0 << 0.12 << 0.00006 << false << 0.00006 << 0.0 << 1e-15;
    QTest::newRow("2412") << 0.02 << 0.4 << 0.12 << 0.0 << false << 0.02 << 0.4 << 2e-4;
    QTest::newRow("4415") << 0.04 << 0.4 << 0.15 << 0.0 << false << 0.04 << 0.4 << 2e-4;
    QTest::newRow("6409") << 0.06 << 0.4 << 0.09 << 0.0 << false << 0.06 << 0.4 << 2e-4;
    QTest::newRow("2421") << 0.02 << 0.4 << 0.21 << 0.0 << false << 0.02 << 0.4 << 2e-4;
    QTest::newRow("4415 upside down") << 0.04 << 0.4 << 0.15 << 0.0 << true << -0.04 << 0.4 << 2e-4;
}

void TestSectionSteps::measures() {
    QFETCH(double, m);
    QFETCH(double, p);
    QFETCH(double, t);
    QFETCH(double, lift);
    QFETCH(bool, upsideDown);
    QFETCH(double, camber);
    QFETCH(double, camberX);
    QFETCH(double, tolerance);
    const Naca4 naca{m, p, t};
    const auto upper = naca.dense(upsideDown ? -1 : 1);
    const auto lower = naca.dense(upsideDown ? 1 : -1);
    const int sign = upsideDown ? -1 : 1;
    const SectionCurves curves =
        curvesOf([&](double x) { return sign * heightAt(upper, x) + lift * (1 - x); },
                 [&](double x) { return sign * heightAt(lower, x) + lift * (1 - x); });
    const SectionMeasures got = MeasureCurves(curves);
    QVERIFY2(std::abs(got.thickness - t) <= 3e-4, qPrintable(QString::number(got.thickness)));
    QVERIFY(std::abs(got.thicknessX - 0.3) <= 0.01);
    if (tolerance == 0) {
        QCOMPARE(got.camber, camber);
        QCOMPARE(got.camberX, camberX);
    } else {
        QVERIFY2(std::abs(got.camber - camber) <= tolerance,
                 qPrintable(QString::number(got.camber)));
        QVERIFY2(std::abs(got.camberX - camberX) <= 0.02, qPrintable(QString::number(got.camberX)));
    }
    QCOMPARE(got.leRadius, 0.0);
    if (lift == 0 && !upsideDown) {
        const SmoothOutline outline(nacaRun(naca, 61));
        const double radius = LeadingEdgeRadius(outline, curves, SectionPoint(1, 0));
        QVERIFY2(std::abs(radius / naca.leRadius() - 1) <= 0.05,
                 qPrintable(QString::number(radius / naca.leRadius())));
        // Turned, the run takes its nose on the outline, which a cambered section's leading edge
        // is not: the radius stays the same.
        const SectionFrame twin = NormaliseFrame(nacaRun(naca, 61, turnedBy(2))).value();
        const SmoothOutline twinOutline(twin.points);
        const double twinRadius = LeadingEdgeRadius(
            twinOutline, SampleSurfaces(twinOutline, twin.nose).curves, SectionPoint(1, 0));
        QVERIFY2(std::abs(twinRadius / radius - 1) <= 0.05,
                 qPrintable(QString::number(twinRadius)));
    }
}

// The thin-aerofoil figures of mean lines whose figures are known: in closed form where the
// mean line is a polynomial in x (its cosine series ends), and for the NACA sections as their
// published formulas lay the thickness square to the mean line (which moves the middle at equal x
// a little off the formula's mean line). Each row in degrees and as a coefficient, within a
// tolerance well inside 0.03 degrees and 0.0015.
void TestSectionSteps::figures_data() {
    QTest::addColumn<SectionCurves>("curves");
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("moment");
    QTest::addColumn<double>("tolerance");  // of the angle; a twentieth of it for the moment
    const auto resampled = [](const SectionPoints& run) {
        const Result<ResampledSection> section = ResampleSection(run);
        return section ? section.value().curves : SectionCurves();
    };
    // A parabolic arc of camber h: aL0 = -2h, Cm = -pi h.
    const double h = 0.04;
    const auto arc = [h](double x) { return 4 * h * x * (1 - x); };
    QTest::newRow("parabolic arc, 4 %")
        << curvesOf([&](double x) { return arc(x) + nacaHalfThickness(0.12, x); },
                    [&](double x) { return arc(x) - nacaHalfThickness(0.12, x); })
        << -2 * h * 180 / std::numbers::pi << -std::numbers::pi * h << 1e-9;
    // Below the camber that counts: exactly zero, not -0.
    QTest::newRow("0012, mean line 0.00004 sin(pi x): none")
        << resampled(
               nacaRun(Naca0012, 201,
                       [](const SectionPoint& p) -> SectionPoint {
                           return {p.x(), p.y() + 0.00004 * std::sin(std::numbers::pi * p.x())};
                       }))
        << 0.0 << 0.0 << 0.0;
    const Naca4 naca2412{0.02, 0.4, 0.12};
    QTest::newRow("2412") << resampled(nacaRun(naca2412, 201)) << -2.116 << -0.0528 << 0.01;
    QTest::newRow("4412") << resampled(nacaRun(Naca4{0.04, 0.4, 0.12}, 201)) << -4.232 << -0.1056
                          << 0.01;
    QTest::newRow("23012") << resampled(nacaRun(Naca5{0.2025, 15.957, 0.0, 0.12}, 201)) << -1.136
                           << -0.0107 << 0.01;
    // A file's rounding moves the slopes between its closely spaced last points, and the figures
    // by what those slopes weigh in the integrals, no more.
    const Change rounded = [](const SectionPoint& p) -> SectionPoint {
        return {std::round(p.x() * 1e5) / 1e5, std::round(p.y() * 1e5) / 1e5};
    };
    QTest::newRow("2412, 81 points a side rounded to 5 decimals")
        << resampled(nacaRun(naca2412, 81, rounded)) << -2.116 << -0.0528 << 0.03;
    // Reflexed: z = k x (1 - x)(x0 - x) has c1 = k/32, c2 = -k (x0 - 1/2)/8, c3 = -k/32, so
    // Cm = pi (2 c2 - 3 c3) and aL0 = 2 (Cm/pi - c1); with k = 0.1, x0 = 0.6: 0.0075 rad and
    // 0.006875 pi, nose up.
    const MeanLineSection reflexed{
        [](double x) -> std::pair<double, double> {
            return {0.1 * x * (1 - x) * (0.6 - x), 0.1 * ((1 - 2 * x) * (0.6 - x) - x * (1 - x))};
        },
        0.12};
    QTest::newRow("reflexed") << resampled(nacaRun(reflexed, 201))
                              << 0.0075 * 180 / std::numbers::pi << 0.006875 * std::numbers::pi
                              << 0.002;
}

void TestSectionSteps::figures() {
    QFETCH(SectionCurves, curves);
    QFETCH(double, angle);
    QFETCH(double, moment);
    QFETCH(double, tolerance);
    QVERIFY(curves.x(UpperCurve, 200) > 0.99);  // resampled
    const SectionMeasures got = MeasureCurves(curves);
    const QString figures =
        QStringLiteral("%1 deg, %2").arg(got.zeroLiftAngle).arg(got.quarterChordMoment);
    if (tolerance == 0) {  // no camber: exactly zero, not -0
        QCOMPARE(got.zeroLiftAngle, 0.0);
        QCOMPARE(got.quarterChordMoment, 0.0);
        QVERIFY(!std::signbit(got.zeroLiftAngle) && !std::signbit(got.quarterChordMoment));
        return;
    }
    QVERIFY2(std::abs(got.zeroLiftAngle - angle) <= tolerance, qPrintable(figures));
    QVERIFY2(std::abs(got.quarterChordMoment - moment) <= tolerance / 20, qPrintable(figures));
}

// Each check just inside and just outside what it lets through.
void TestSectionSteps::checks_data() {
    QTest::addColumn<Check>("check");
    QTest::addColumn<QString>("failure");  // empty: passes
    const auto row = [](const char* name, const Check& check, const QString& failure = {}) {
        QTest::newRow(name) << check << failure;
    };
    row("9 distinct points", [] { return CheckDistinctPoints(12, 9); });
    row(
        "9 points collapse to 8", [] { return CheckDistinctPoints(9, 8); },
        "the 9 points collapse to 8 distinct points at double precision");
    row(
        "8 points", [] { return CheckDistinctPoints(8, 8); }, "fewer than 5 points on a surface");
    row("5 points a side", [] { return CheckSurfacePoints(4, 9); });
    row(
        "4 points on the first side", [] { return CheckSurfacePoints(3, 9); },
        "fewer than 5 points on a surface, which meet at x/c = 0 after 4 and 6 points");
    row(
        "4 points on the second side", [] { return CheckSurfacePoints(4, 8); },
        "fewer than 5 points on a surface, which meet at x/c = 0 after 5 and 4 points");
    const auto folded = [](int dir, double back) {
        return [dir, back] {
            return CheckNoFold(Surface(SmoothOutline(foldedOutline(dir, back)), 5, dir));
        };
    };
    row("runs back by 0.0009", folded(-1, 0.0009));
    row("runs back by 0.0011", folded(-1, 0.0011), "a surface folds back on itself at x/c = 0.200");
    row("second surface runs back by 0.0011", folded(1, 0.0011),
        "a surface folds back on itself at x/c = 0.200");
    row(
        "both surfaces checked",
        [] { return CheckSurfaces(SmoothOutline(foldedOutline(1, 0.1)), 5); },
        "a surface folds back on itself at x/c = 0.200");
    row(
        "too few points before a fold",
        [] { return CheckSurfaces(SmoothOutline(foldedOutline(-1, 0.1)), 3); },
        "fewer than 5 points on a surface, which meet at x/c = 0 after 4 and 8 points");
    const auto thick = [](double t) { return SectionMeasures{t, 0.3, 0, 0, 0, 0}; };
    row(
        "infinitely thick", [=] { return CheckThicknessFinite(thick(INFINITY)); },
        "the outline cannot be smoothed");
    row("1e-6 thick", [=] { return CheckPositiveThickness(thick(1e-6)); });
    row(
        "0.9e-6 thick", [=] { return CheckPositiveThickness(thick(0.9e-6)); },
        "no wing section: the outline has no positive thickness");
    const SectionCurves flat = curvesOf([](double) { return 0.05; }, [](double) { return 0.0; });
    row("finite", [=] { return CheckFinite(flat, thick(0.05)); });
    row(
        "a height not a number",
        [=] {
            SectionCurves curves = flat;
            curves.y(LowerCurve, 200) = NAN;
            return CheckFinite(curves, thick(0.05));
        },
        "the outline cannot be smoothed");
    row(
        "a radius not a number",
        [=] {
            SectionMeasures measures = thick(0.05);
            measures.leRadius = NAN;
            return CheckFinite(flat, measures);
        },
        "the outline cannot be smoothed");
}

void TestSectionSteps::checks() {
    QFETCH(Check, check);
    QFETCH(QString, failure);
    const Status status = check();
    QCOMPARE(status.ok(), failure.isEmpty());
    QCOMPARE(status.errors(), failure.isEmpty() ? QStringList() : QStringList(failure));
}

// Each warning with its wording, just inside and just outside what it lets by.
void TestSectionSteps::warnings_data() {
    QTest::addColumn<Warnings>("warn");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char* name, const Warnings& warn, const QStringList& expected = {}) {
        QTest::newRow(name) << warn << expected;
    };
    const auto crossing = [](double by) {
        return [by] {
            return CrossingWarning(
                curvesOf([](double) { return 0.05; },
                         [by](double x) { return std::abs(x - 0.5) < 0.001 ? 0.05 + by : 0.0; }));
        };
    };
    row("crossing by 2 %", crossing(0.02),
        {"the surfaces cross, by 2.000 % of the chord at x/c = 0.500"});
    row("crossing by 1.1e-6", crossing(1.1e-6),
        {"the surfaces cross, by 0.000 % of the chord at x/c = 0.500"});
    row("crossing by 0.9e-6: none", crossing(0.9e-6));
    const auto shortSurface = [](int upperCut, int lowerCut, bool firstUpper) {
        return [=] {
            SampledSurfaces sampled;
            sampled.curves = curvesOf([](double) { return 0.05; }, [](double) { return 0.0; });
            sampled.firstUpper = firstUpper;
            return SectionWarnings(SmoothOutline(cutRun(upperCut, lowerCut)), 60 - upperCut,
                                   sampled);
        };
    };
    row("first surface to 0.957: none", shortSurface(8, 0, true));
    row("first surface to 0.946, the upper", shortSurface(9, 0, true),
        {"the upper surface stops at x/c = 0.946, short of the trailing edge"});
    row("first surface to 0.946, the lower", shortSurface(9, 0, false),
        {"the lower surface stops at x/c = 0.946, short of the trailing edge"});
    row("both surfaces short, in order", shortSurface(9, 20, true),
        {"the upper surface stops at x/c = 0.946, short of the trailing edge",
         "the lower surface stops at x/c = 0.750, short of the trailing edge"});
    const auto endingAt = [](double x) {
        return [x] {
            return ShortSurfaceWarning(Surface(SmoothOutline(handOutline(x)), 5, -1),
                                       QStringLiteral("upper"));
        };
    };
    row("a surface to 0.95: none", endingAt(0.95));
    row("a surface to 0.9499", endingAt(0.9499),
        {"the upper surface stops at x/c = 0.950, short of the trailing edge"});
    // Points on a straight line, one of them raised.
    const auto spike = [](double by, int nose) {
        return [=] {
            SectionPoints points;
            for (int i = 0; i <= 10; ++i) {
                points.emplace_back(0.1 * i, i == 5 ? 0.05 + by : 0.05);
            }
            return SpikeWarning(points, nose);
        };
    };
    row("a point 1.2 % off", spike(0.012, 0),
        {"the point at x/c = 0.500 lies 1.20 % of the chord off the smooth line through its "
         "neighbours"});
    row("a point 0.9 % off: none", spike(0.009, 0));
    row("the nose 1.2 % off: none", spike(0.012, 5));
    const auto thickness = [](double t) {
        return [t] { return ThicknessWarning(SectionMeasures{t, 0.3, 0, 0, 0, 0}); };
    };
    row("50 % thick: none", thickness(0.5));
    row("60 % thick", thickness(0.6),
        {"the section is 60.0 % of the chord thick at x/c = 0.300, more than 50 %"});
}

void TestSectionSteps::warnings() {
    QFETCH(Warnings, warn);
    QFETCH(QStringList, expected);
    QCOMPARE(warn(), expected);
}

QTEST_GUILESS_MAIN(TestSectionSteps)
#include "tst_sectionsteps.moc"
