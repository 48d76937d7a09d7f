// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingPaintDevice.h"
#include "render/Paper.h"
#include "render/PlotPainter.h"
#include "render/Sheet.h"
#include "render/TemplatePages.h"

#include <QPainter>
#include <QTest>

#include <cmath>
#include <limits>

using namespace vandrix;
using testing::PaintedOp;
using testing::RecordingPaintDevice;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Infinity = std::numeric_limits<double>::infinity();

// The mappings of the table rows, by name: the screen's as the picture area, PNG and SVG use
// them, the printed sheet's at 1200 dpi and a template outline's at 1200 dpi.
PlotMapping mappingNamed(const QString& name) {
    const QTransform pdf = MillimetresToDevice(PdfResolution);
    if (name == QLatin1String("screen 1000")) {
        return ScreenMapping(1000, ScreenView{}, PlotRounding::WholeUnitsAndPixels);
    }
    if (name == QLatin1String("screen 1200")) {
        return ScreenMapping(1200, ScreenView{}, PlotRounding::WholeUnitsAndPixels);
    }
    if (name == QLatin1String("screen 1000 at ratio 2")) {
        return ScreenMapping(1000, ScreenView{ScreenPlotFrame, ScreenPlotSize, 2.0},
                             PlotRounding::WholeUnitsAndPixels);
    }
    if (name == QLatin1String("svg 1000")) {
        return ScreenMapping(1000, ScreenView{}, PlotRounding::WholeUnits);
    }
    if (name.startsWith(QLatin1String("sheet "))) {  // "sheet 150 mm"
        return SheetPlotMapping(name.section(u' ', 1, 1).toDouble(), pdf);
    }
    return OutlineMapping(QPointF(30.0, 40.0), pdf);  // "template 1 mm"
}

bool near(QPointF a, QPointF b) {
    return std::abs(a.x() - b.x()) < 1e-6 && std::abs(a.y() - b.y()) < 1e-6;
}

QString describe(const std::optional<QLineF>& line) {
    return line ? QStringLiteral("%1 %2 %3 %4")
                      .arg(line->x1(), 0, 'g', 17)
                      .arg(line->y1(), 0, 'g', 17)
                      .arg(line->x2(), 0, 'g', 17)
                      .arg(line->y2(), 0, 'g', 17)
                : QStringLiteral("nothing");
}

// The plot as painted through a mapping that stops at whole user units: the units themselves.
struct PaintedPlot {
    QList<QLineF> grid;
    QList<QLineF> curves;
};

PaintedPlot plotInUnits(int scale, const SectionCurves& curves) {
    RecordingPaintDevice device;
    QPainter painter(&device);
    {
        PlotPainter plotter(painter, PlotMapping(QTransform::fromScale(scale, scale), QTransform(),
                                                 PlotRounding::WholeUnits));
        PaintPlot(plotter, curves, QPen(Qt::blue), QPen(Qt::black));
    }
    painter.end();
    PaintedPlot plot;
    for (const PaintedOp& op : device.ops) {
        (op.color == QColor(Qt::blue) ? plot.grid : plot.curves) << op.device;
    }
    return plot;
}

// Points on a straight line from (0, 0) to (1, 0.2), the same for both curves but for a shift.
void fillRamp(SectionCurves& state) {
    for (int c = 0; c < CurveCount; ++c) {
        for (int p = 0; p < SectionStations; ++p) {
            state.x(c, p) = p / 200.0;
            state.y(c, p) = 0.2 * p / 200.0 - 0.05 * c;
        }
    }
}

}  // namespace

// Data units to device units on every surface, and the plot painted through them.
class TestPlotMapping : public QObject {
    Q_OBJECT

private slots:
    void placesPoints_data();
    void placesPoints();
    void cutsLines_data();
    void cutsLines();
    void drawsWhereTheMappingSays_data();
    void drawsWhereTheMappingSays();
    void gridAtScale1000();
    void gridTopBeyondVisibleAt1400();
    void segmentsInterleaveCurves();
    void zeroScaleCollapses();
    void negativeScaleMirrors();
    void unrepresentableSegmentsAreSkipped_data();
    void unrepresentableSegmentsAreSkipped();
};

void TestPlotMapping::placesPoints_data() {
    QTest::addColumn<QString>("mapping");
    QTest::addColumn<QPointF>("data");
    QTest::addColumn<bool>("placed");
    QTest::addColumn<QPointF>("device");
    // The screen: user x = 1000 data x lands at (x + 50) * 996 / 1500 pixels, user y at
    // (400 - y) * 396 / 600, then to the nearest whole pixel.
    QTest::newRow("screen, origin") << "screen 1000" << QPointF(0, 0) << true << QPointF(33, 264);
    QTest::newRow("screen, grid corner")
        << "screen 1000" << QPointF(1, 0.3) << true << QPointF(697, 66);
    // 62.5 and -187.5 user units go to 62 and -188 (even): 74.368 and 388.08 pixels.
    QTest::newRow("screen, user halves to even")
        << "screen 1000" << QPointF(0.0625, -0.1875) << true << QPointF(74, 388);
    // 25 and -25 user units: 49.8 and exactly 280.5 pixels, a half away from zero.
    // -62.5 and 62.5 user units go to -62 and 62: -7.968 and 223.08 pixels.
    QTest::newRow("screen, negative user halves to even")
        << "screen 1000" << QPointF(-0.0625, 0.0625) << true << QPointF(-8, 223);
    QTest::newRow("screen, pixel half up")
        << "screen 1000" << QPointF(0.025, -0.025) << true << QPointF(50, 281);
    QTest::newRow("screen 1200") << "screen 1200" << QPointF(0.5, 0.1) << true
                                 << QPointF(432, 185);  // 431.6, 184.8
    QTest::newRow("screen at ratio 2, device pixels")
        << "screen 1000 at ratio 2" << QPointF(0.5, 0.1) << true << QPointF(730, 396);
    QTest::newRow("svg keeps pixel fractions")
        << "svg 1000" << QPointF(0.0625, 0.1234) << true << QPointF(74.368, 182.82);
    QTest::newRow("screen, not a number") << "screen 1000" << QPointF(NaN, 0) << false << QPointF();
    QTest::newRow("screen, beyond 32-bit user units")
        << "screen 1000" << QPointF(2147483.6475, 0) << false << QPointF();
    // The sheet: (10 + 150 x, 75 - 150 y) mm at 1200 / 25.4 device units a millimetre.
    QTest::newRow("sheet, data origin") << "sheet 150 mm" << QPointF(0, 0) << true
                                        << QPointF(472.4409448818898, 3543.3070866141734);
    QTest::newRow("sheet, (85, 60) mm") << "sheet 150 mm" << QPointF(0.5, 0.1) << true
                                        << QPointF(4015.748031496063, 2834.645669291339);
    QTest::newRow("sheet, 899925 mm off the page")
        << "sheet 150 mm" << QPointF(0, 6000) << true
        << QPointF(472.4409448818898, -42516141.732283466);
    QTest::newRow("sheet, 1049925 mm off the page")
        << "sheet 150 mm" << QPointF(0, 7000) << false << QPointF();
    QTest::newRow("sheet, infinity")
        << "sheet 150 mm" << QPointF(Infinity, 0) << false << QPointF();
    QTest::newRow("sheet 180 mm, (100, 52.788) mm, not rounded")
        << "sheet 180 mm" << QPointF(0.5, 0.1234) << true
        << QPointF(4724.4094488188975, 2493.9212598425197);
    QTest::newRow("sheet 0 mm: every point at the origin")
        << "sheet 0 mm" << QPointF(0.5, 0.2) << true
        << QPointF(472.4409448818898, 3543.3070866141734);
    QTest::newRow("sheet -100 mm: mirrored through the origin, to (-40, 95) mm")
        << "sheet -100 mm" << QPointF(0.5, 0.2) << true
        << QPointF(-1889.763779527559, 4488.188976377953);
    // A template outline with its origin at (30, 40) mm of the page, y up.
    QTest::newRow("template, (130, 35) mm") << "template 1 mm" << QPointF(100, 5) << true
                                            << QPointF(6141.732283464567, 1653.5433070866143);
    QTest::newRow("template, below the chord") << "template 1 mm" << QPointF(0, -2.5) << true
                                               << QPointF(1417.3228346456694, 2007.8740157480315);
}

void TestPlotMapping::placesPoints() {
    QFETCH(QString, mapping);
    QFETCH(QPointF, data);
    QFETCH(bool, placed);
    QFETCH(QPointF, device);
    const PlotMapping plot = mappingNamed(mapping);
    const std::optional<QPointF> got = plot.map(data);
    QCOMPARE(got.has_value(), placed);
    if (placed) {
        QVERIFY2(near(*got, device), qPrintable(describe(QLineF(*got, *got))));
    }
    // Where nothing is rounded, the mapping is its one transform from data to device units.
    if (placed && plot.rounding() == PlotRounding::None) {
        QVERIFY(near(plot.transform().map(data), device));
    }
}

void TestPlotMapping::cutsLines_data() {
    QTest::addColumn<QString>("mapping");
    QTest::addColumn<QLineF>("data");
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<QLineF>("device");
    QTest::newRow("screen, inside")
        << "screen 1000" << QLineF(0, 0, 1, 0.3) << true << QLineF(33, 264, 697, 66);
    // From (33.2, 264) up to (33.2, -396): cut 8 pixels above the area, then whole pixels.
    QTest::newRow("screen, cut at the top margin")
        << "screen 1000" << QLineF(0, 0, 0, 1) << true << QLineF(33, 264, 33, -8);
    QTest::newRow("screen, cut at the right margin")
        << "screen 1000" << QLineF(0, 0, 2, 0) << true << QLineF(33, 264, 1004, 264);
    // (132.8, 198) to (99.6, -396), cut at y = -8 at x = 121.29: rounding the ends first would
    // cut at 121.56.
    QTest::newRow("screen, ends on whole pixels once cut")
        << "screen 1000" << QLineF(0.15, 0.1, 0.1, 1) << true << QLineF(133, 198, 121, -8);
    QTest::newRow("screen, outside") << "screen 1000" << QLineF(2, 0, 3, 0) << false << QLineF();
    QTest::newRow("screen, an end beyond 32-bit units is not cut")
        << "screen 1000" << QLineF(0, 0, 0, 1e300) << false << QLineF();
    QTest::newRow("svg, cut at the top margin")
        << "svg 1000" << QLineF(0.0625, 0, 0.0625, 1) << true << QLineF(74.368, 264, 74.368, -8);
    QTest::newRow("sheet, an end far off is not cut")
        << "sheet 150 mm" << QLineF(0, 0, 0, 7000) << false << QLineF();
}

void TestPlotMapping::cutsLines() {
    QFETCH(QString, mapping);
    QFETCH(QLineF, data);
    QFETCH(bool, drawn);
    QFETCH(QLineF, device);
    const std::optional<QLineF> got =
        mappingNamed(mapping).map(DataLine{data.x1(), data.y1(), data.x2(), data.y2()});
    QVERIFY2(got.has_value() == drawn, qPrintable(describe(got)));
    if (drawn) {
        QVERIFY2(near(got->p1(), device.p1()) && near(got->p2(), device.p2()),
                 qPrintable(describe(got)));
    }
}

void TestPlotMapping::drawsWhereTheMappingSays_data() {
    QTest::addColumn<QTransform>("painterTransform");
    QTest::newRow("painter in device units") << QTransform();
    // The template's page: the painter's own transform is the mapping's last step.
    QTest::newRow("painter in millimetres") << MillimetresToDevice(RecordingPaintDevice::Dpi);
    QTest::newRow("painter at another scale") << QTransform::fromScale(3, 2);
}

// Wherever the painter's transform stands, the outline lands where the mapping puts it, and
// the painter's transform is as it was after.
void TestPlotMapping::drawsWhereTheMappingSays() {
    QFETCH(QTransform, painterTransform);
    RecordingPaintDevice device;
    QPainter painter(&device);
    painter.setWorldTransform(painterTransform);
    {
        PlotPainter plotter(
            painter,
            OutlineMapping(QPointF(30, 40), MillimetresToDevice(RecordingPaintDevice::Dpi)));
        plotter.line({0, 0, 100, 5});
        plotter.polygon({{0, 0}, {100, 5}, {100, 0}});
    }
    QCOMPARE(painter.worldTransform(), painterTransform);
    painter.end();
    QCOMPARE(device.ops.size(), 1 + 3);  // a polygon's outline is recorded as its three sides
    // In millimetres of the page: the chord from the origin, then the ring's corners in turn.
    QVERIFY(near(device.ops[0].line.p1(), QPointF(30, 40)));
    QVERIFY(near(device.ops[0].line.p2(), QPointF(130, 35)));
    QVERIFY(near(device.ops[1].line.p1(), QPointF(30, 40)));
    QVERIFY(near(device.ops[2].line.p1(), QPointF(130, 35)));
    QVERIFY(near(device.ops[3].line.p1(), QPointF(130, 40)));
}

void TestPlotMapping::gridAtScale1000() {
    const PaintedPlot plot = plotInUnits(1000, {});
    QCOMPARE(plot.grid.size(), 16);
    for (int a = 0; a <= 10; ++a) {
        QCOMPARE(plot.grid[a], QLineF(a * 100, -100, a * 100, 300));
    }
    for (int i = -1; i <= 3; ++i) {
        QCOMPARE(plot.grid[12 + i], QLineF(0, i * 100, 1000, i * 100));
    }
}

void TestPlotMapping::gridTopBeyondVisibleAt1400() {
    const PaintedPlot plot = plotInUnits(1400, {});
    QCOMPARE(plot.grid.back(), QLineF(0, 420, 1400, 420));
    QCOMPARE(plot.grid[10], QLineF(1400, -140, 1400, 420));
}

void TestPlotMapping::segmentsInterleaveCurves() {
    SectionCurves state;
    fillRamp(state);
    const PaintedPlot plot = plotInUnits(1000, state);
    QCOMPARE(plot.curves.size(), 400);
    QCOMPARE(plot.curves[0], QLineF(0, 0, 5, 1));
    QCOMPARE(plot.curves[1], QLineF(0, -50, 5, -49));
    QCOMPARE(plot.curves[398], QLineF(995, 199, 1000, 200));
    QCOMPARE(plot.curves[399], QLineF(995, 149, 1000, 150));
}

void TestPlotMapping::zeroScaleCollapses() {
    SectionCurves state;
    fillRamp(state);
    const PaintedPlot plot = plotInUnits(0, state);
    QCOMPARE(plot.grid.size() + plot.curves.size(), 16 + 400);
    for (const QLineF& line : plot.grid + plot.curves) {
        QCOMPARE(line, QLineF());
    }
}

void TestPlotMapping::negativeScaleMirrors() {
    SectionCurves state;
    fillRamp(state);
    state.y(1, 7) = 0.0625;  // a half after scaling: rounding must mirror too
    const PaintedPlot positive = plotInUnits(1000, state);
    const PaintedPlot negative = plotInUnits(-1000, state);
    const auto mirrored = [](const QLineF& l) {
        return QLineF(-l.x1(), -l.y1(), -l.x2(), -l.y2());
    };
    QCOMPARE(negative.grid.size(), positive.grid.size());
    QCOMPARE(negative.curves.size(), positive.curves.size());
    for (qsizetype i = 0; i < positive.grid.size(); ++i) {
        QCOMPARE(negative.grid[i], mirrored(positive.grid[i]));
    }
    for (qsizetype i = 0; i < positive.curves.size(); ++i) {
        QCOMPARE(negative.curves[i], mirrored(positive.curves[i]));
    }
}

void TestPlotMapping::unrepresentableSegmentsAreSkipped_data() {
    QTest::addColumn<double>("value");
    QTest::newRow("1e300") << 1e300;
    QTest::newRow("-1e300") << -1e300;
    QTest::newRow("just beyond 32 bits at 1000") << 2147483.6475;
    QTest::newRow("infinity") << Infinity;
    QTest::newRow("nan") << NaN;
}

void TestPlotMapping::unrepresentableSegmentsAreSkipped() {
    QFETCH(double, value);
    SectionCurves state;
    fillRamp(state);
    state.y(1, 50) = value;  // touches the segments 49-50 and 50-51 of curve 1
    const PaintedPlot plot = plotInUnits(1000, state);
    QCOMPARE(plot.curves.size(), 398);
    QCOMPARE(plot.grid.size(), 16);
    // Curve 0's segments around them stay, next to each other now.
    QCOMPARE(plot.curves[99], QLineF(250, 50, 255, 51));
    QCOMPARE(plot.curves[100], QLineF(255, 51, 260, 52));
}

QTEST_GUILESS_MAIN(TestPlotMapping)
#include "tst_plotmapping.moc"
