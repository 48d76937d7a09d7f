// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PlotGeometry.h"

#include <QTest>

#include <limits>

using namespace vandrix;

Q_DECLARE_METATYPE(PlotLine)

namespace {

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

class TestPlotGeometry : public QObject {
    Q_OBJECT

private slots:
    void gridAtScale1000();
    void gridTopBeyondVisibleAt1400();
    void segmentsInterleaveCurves();
    void segmentRounding_data();
    void segmentRounding();
    void zeroScaleCollapses();
    void negativeScaleMirrors();
    void unrepresentableSegmentsAreSkipped_data();
    void unrepresentableSegmentsAreSkipped();
};

void TestPlotGeometry::gridAtScale1000() {
    SectionCurves state;
    const ScreenPlot plot = ComputeScreenPlot(1000, state);
    QCOMPARE(plot.grid.size(), std::size_t(16));
    for (int a = 0; a <= 10; ++a) {
        QCOMPARE(plot.grid[static_cast<std::size_t>(a)], (PlotLine{a * 100, -100, a * 100, 300}));
    }
    for (int i = -1; i <= 3; ++i) {
        QCOMPARE(plot.grid[static_cast<std::size_t>(12 + i)],
                 (PlotLine{0, i * 100, 1000, i * 100}));
    }
}

void TestPlotGeometry::gridTopBeyondVisibleAt1400() {
    SectionCurves state;
    const ScreenPlot plot = ComputeScreenPlot(1400, state);
    QCOMPARE(plot.grid.back(), (PlotLine{0, 420, 1400, 420}));
    QCOMPARE(plot.grid[10], (PlotLine{1400, -140, 1400, 420}));
}

void TestPlotGeometry::segmentsInterleaveCurves() {
    SectionCurves state;
    fillRamp(state);
    const ScreenPlot plot = ComputeScreenPlot(1000, state);
    QCOMPARE(plot.curves.size(), std::size_t(400));
    QCOMPARE(plot.skipped, 0);
    QCOMPARE(plot.curves[0], (PlotLine{0, 0, 5, 1}));
    QCOMPARE(plot.curves[1], (PlotLine{0, -50, 5, -49}));
    QCOMPARE(plot.curves[398], (PlotLine{995, 199, 1000, 200}));
    QCOMPARE(plot.curves[399], (PlotLine{995, 149, 1000, 150}));
}

void TestPlotGeometry::segmentRounding_data() {
    QTest::addColumn<int>("scale");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("px");
    QTest::addColumn<int>("py");
    QTest::newRow("plain") << 1000 << 0.5 << 0.1234 << 500 << 123;
    QTest::newRow("halves to even") << 1000 << 0.0625 << 0.1875 << 62 << 188;
    QTest::newRow("negative halves") << 1000 << -0.0625 << -0.1875 << -62 << -188;
    QTest::newRow("largest scale") << 32767 << 1.0 << -0.1 << 32767 << -3277;
}

void TestPlotGeometry::segmentRounding() {
    QFETCH(int, scale);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, px);
    QFETCH(int, py);
    SectionCurves state;
    state.x(0, 1) = x;
    state.y(0, 1) = y;
    const ScreenPlot plot = ComputeScreenPlot(static_cast<std::int16_t>(scale), state);
    QCOMPARE(plot.curves[0], (PlotLine{0, 0, px, py}));  // curve 0, point 0 to 1
    QCOMPARE(plot.curves[2], (PlotLine{px, py, 0, 0}));  // curve 0, point 1 to 2
}

void TestPlotGeometry::zeroScaleCollapses() {
    SectionCurves state;
    fillRamp(state);
    const ScreenPlot plot = ComputeScreenPlot(0, state);
    for (const PlotLine& line : plot.grid) {
        QCOMPARE(line, PlotLine{});
    }
    for (const PlotLine& line : plot.curves) {
        QCOMPARE(line, PlotLine{});
    }
}

void TestPlotGeometry::negativeScaleMirrors() {
    SectionCurves state;
    fillRamp(state);
    state.y(1, 7) = 0.0625;  // a half after scaling: rounding must mirror too
    const ScreenPlot positive = ComputeScreenPlot(1000, state);
    const ScreenPlot negative = ComputeScreenPlot(-1000, state);
    const auto mirrored = [](const PlotLine& l) { return PlotLine{-l.x1, -l.y1, -l.x2, -l.y2}; };
    for (std::size_t i = 0; i < positive.grid.size(); ++i) {
        QCOMPARE(negative.grid[i], mirrored(positive.grid[i]));
    }
    for (std::size_t i = 0; i < positive.curves.size(); ++i) {
        QCOMPARE(negative.curves[i], mirrored(positive.curves[i]));
    }
}

void TestPlotGeometry::unrepresentableSegmentsAreSkipped_data() {
    QTest::addColumn<double>("value");
    QTest::newRow("1e300") << 1e300;
    QTest::newRow("-1e300") << -1e300;
    QTest::newRow("just beyond 32 bits at 1000") << 2147483.6475;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
}

void TestPlotGeometry::unrepresentableSegmentsAreSkipped() {
    QFETCH(double, value);
    SectionCurves state;
    fillRamp(state);
    state.y(1, 50) = value;  // touches the segments 49-50 and 50-51 of curve 1
    const ScreenPlot plot = ComputeScreenPlot(1000, state);
    QCOMPARE(plot.skipped, 2);
    QCOMPARE(plot.curves.size(), std::size_t(398));
    QCOMPARE(plot.grid.size(), std::size_t(16));
}

QTEST_GUILESS_MAIN(TestPlotGeometry)
#include "tst_plotgeometry.moc"
