// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingPaintDevice.h"
#include "render/Overlay.h"
#include "render/PlotPainter.h"
#include "render/PlotStyle.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

using namespace vandrix;
using vandrix::testing::PaintedOp;
using vandrix::testing::RecordingPaintDevice;

Q_DECLARE_METATYPE(std::vector<double>)

namespace {

// A lens from (0, 0) to (1, 0) whose surfaces reach exactly `top` and `bottom` at mid-chord.
SectionCurves lens(double top, double bottom) {
    SectionCurves curves;
    for (int i = 0; i < SectionStations; ++i) {
        const double x = (1.0 - std::cos(std::numbers::pi * i / (SectionStations - 1))) / 2.0;
        const double bulge = i == SectionStations / 2 ? 1.0 : 4.0 * x * (1.0 - x);
        curves.setPoint(UpperCurve, i, {x, top * bulge});
        curves.setPoint(LowerCurve, i, {x, bottom * bulge});
    }
    return curves;
}

// `count` sections of different thickness and camber, named "S1", "S2", ...
std::vector<OverlaySection> sectionsOf(int count) {
    std::vector<OverlaySection> sections;
    sections.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        sections.push_back({QStringLiteral("S%1").arg(k + 1), lens(0.02 * (k + 1), -0.01 * k)});
    }
    return sections;
}

QList<PaintedOp> record(const std::vector<OverlaySection>& sections, std::int16_t scale) {
    RecordingPaintDevice device;
    QPainter painter(&device);
    PaintOverlay(painter, sections, scale, 1.0, PlotRounding::WholeUnitsAndPixels);
    painter.end();
    return device.ops;
}

bool isLine(const PaintedOp& op) {
    return op.kind == PaintedOp::Kind::Line;
}

// The colours of consecutive lines, each run of one colour once.
QList<QColor> colourRuns(const QList<PaintedOp>& ops) {
    QList<QColor> runs;
    for (const PaintedOp& op : ops) {
        if (runs.isEmpty() || runs.last() != op.color) {
            runs << op.color;
        }
    }
    return runs;
}

QList<QColor> firstColours(int count) {
    QList<QColor> colours;
    for (int k = 0; k < std::min(count, MaxOverlaySections); ++k) {
        colours << OverlayColors.at(static_cast<std::size_t>(k));
    }
    return colours;
}

QImage paint(const std::function<void(QPainter&)>& paint, QSize size, double ratio) {
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    paint(painter);
    return image;
}

}  // namespace

// The overlay of several sections: its colours, legend and grid as painted, read back from a
// recording paint device and from images.
class TestOverlay : public QObject {
    Q_OBJECT

private slots:
    void colours_data();
    void colours();
    void widening_data();
    void widening();
    void legend_data();
    void legend();
    void screenPlotUnderneath_data();
    void screenPlotUnderneath();
};

void TestOverlay::colours_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("one") << 1;
    QTest::newRow("two") << 2;
    QTest::newRow("eight, every colour") << 8;
    QTest::newRow("nine: the first eight") << 9;
}

// Each section's curves in its own colour in the order given, the legend in the same order,
// and the grid in a colour no section has.
void TestOverlay::colours() {
    QFETCH(int, count);
    const std::vector<OverlaySection> sections = sectionsOf(count);
    const OverlayLayout layout = LayOutOverlay(sections, 1000);
    const QList<PaintedOp> ops = record(sections, 1000);
    const int drawn = std::min(count, MaxOverlaySections);

    QList<PaintedOp> grid;
    QList<PaintedOp> curves;
    QList<PaintedOp> strokes;
    QStringList names;
    for (const PaintedOp& op : ops) {
        if (!isLine(op)) {
            QCOMPARE(op.color, OverlayTextColor);
            names << op.text;
        } else if (op.width == PlotGridWidth) {
            grid << op;
        } else if (op.device.x1() < layout.legend.x()) {
            QVERIFY(names.isEmpty());  // the curves come before the legend
            curves << op;
        } else {
            strokes << op;
        }
    }
    QCOMPARE(grid.size(), 11 + 5);
    QCOMPARE(colourRuns(grid), QList<QColor>{OverlayGridColor});
    QCOMPARE(colourRuns(curves), firstColours(count));
    // Every segment of every section drawn: two a station step.
    QCOMPARE(curves.size(), drawn * 2 * (SectionStations - 1));
    QCOMPARE(colourRuns(strokes), firstColours(count));
    QCOMPARE(strokes.size(), drawn);
    QStringList expected;
    for (int k = 1; k <= drawn; ++k) {
        expected << QStringLiteral("S%1").arg(k);
    }
    QCOMPARE(names, expected);
    for (const PaintedOp& line : curves) {
        QVERIFY(line.color != OverlayGridColor);
    }
    // The legend's rows downwards, each stroke left of its name and level with it.
    for (int k = 0; k < drawn; ++k) {
        const QLineF stroke = strokes[k].device;
        QCOMPARE(stroke.y1(), stroke.y2());
        QCOMPARE(stroke.y1(), layout.legend.y() + (k + 0.5) * OverlayRowPixels);
        QVERIFY(stroke.x1() >= layout.legend.x() && stroke.x2() < layout.size.width());
    }
}

void TestOverlay::widening_data() {
    QTest::addColumn<int>("scale");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("bottom");
    QTest::addColumn<int>("height");
    QTest::addColumn<std::vector<double>>("rows");  // the horizontal grid lines' y, upwards
    QTest::addColumn<int>("topRow");
    const std::vector<double> plot = {330, 264, 198, 132, 66};
    QTest::newRow("within the grid") << 1000 << 0.12 << -0.05 << 396 << plot << 3;
    // 0.1 * 3 is 0.30000000000000004: on the line, but for the last bit.
    QTest::newRow("on its line, rounded") << 1000 << 0.1 * 3 << -0.05 << 396 << plot << 3;
    QTest::newRow("both ways, two steps up")
        << 1000 << 0.41 << -0.11 << 594
        << std::vector<double>{528, 462, 396, 330, 264, 198, 132, 66} << 5;
    QTest::newRow("scale 500: 33 pixels a step")
        << 500 << 0.12 << -0.25 << 462 << std::vector<double>{363, 330, 297, 264, 231, 198, 165}
        << 3;
    // A step of 79.2 pixels: the picture grows by 80, and the grid keeps its place below the top.
    QTest::newRow("scale 1200: a step rounded up")
        << 1200 << 0.31 << -0.05 << 476 << std::vector<double>{423, 344, 265, 186, 106, 27} << 4;
    QTest::newRow("far off: up to 1.0")
        << 1000 << 5.0 << -0.05 << 858
        << std::vector<double>{792, 726, 660, 594, 528, 462, 396, 330, 264, 198, 132, 66} << 10;
    QTest::newRow("far off below: down to -1.0")
        << 1000 << 0.1 << -3.0 << 990
        << std::vector<double>{924, 858, 792, 726, 660, 594, 528, 462, 396, 330, 264, 198, 132, 66}
        << 3;
    QTest::newRow("infinite: no step")
        << 1000 << std::numeric_limits<double>::infinity() << -0.05 << 396 << plot << 3;
    // Turned over: the added step goes below, the picture grows there.
    QTest::newRow("negative scale")
        << -1000 << 0.35 << -0.05 << 462 << std::vector<double>{198, 264, 330, 396, 462} << 4;
}

// The grid widened by whole steps of 0.1 where a section needs it, the picture by the pixels
// they take, the other lines where the screen plot has them, moved down by what was added above.
void TestOverlay::widening() {
    QFETCH(int, scale);
    QFETCH(double, top);
    QFETCH(double, bottom);
    QFETCH(int, height);
    QFETCH(std::vector<double>, rows);
    QFETCH(int, topRow);
    const std::vector<OverlaySection> sections = {{QStringLiteral("a"), lens(0.1, -0.05)},
                                                  {QStringLiteral("b"), lens(top, bottom)}};
    const auto scaleValue = static_cast<std::int16_t>(scale);
    const OverlayLayout layout = LayOutOverlay(sections, scaleValue);
    QCOMPARE(layout.size.height(), height);
    QCOMPARE(layout.topRow, topRow);
    std::vector<double> horizontal;
    double gridTop = std::numeric_limits<double>::max();
    double gridBottom = std::numeric_limits<double>::lowest();
    int vertical = 0;
    for (const PaintedOp& op : record(sections, scaleValue)) {
        if (!isLine(op) || op.color != OverlayGridColor) {
            continue;
        }
        if (op.device.y1() == op.device.y2()) {
            horizontal.push_back(op.device.y1());
        } else {
            QCOMPARE(op.device.x1(), op.device.x2());
            ++vertical;
            gridTop = std::min({gridTop, op.device.y1(), op.device.y2()});
            gridBottom = std::max({gridBottom, op.device.y1(), op.device.y2()});
        }
    }
    QCOMPARE(horizontal, rows);
    if (scale > 0) {  // the vertical lines, each from the bottom row to the top one
        QCOMPARE(vertical, 11);
        QCOMPARE(gridTop, rows.back());
        QCOMPARE(gridBottom, rows.front());
    }
}

void TestOverlay::legend_data() {
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("wider");  // than the screen plot's 996 pixels
    QTest::newRow("in the band right of x = 1") << 1000 << "NACA 2412" << false;
    QTest::newRow("a long name cut short") << 1000 << QString(300, u'W') << false;
    QTest::newRow("scale 1400: the band too narrow") << 1400 << "NACA 2412" << true;
}

// The legend lies right of the grid and within the picture; a long name is cut short, and the
// picture grows to the right only when the band is too narrow.
void TestOverlay::legend() {
    QFETCH(int, scale);
    QFETCH(QString, name);
    QFETCH(bool, wider);
    const std::vector<OverlaySection> sections = {{QStringLiteral("first"), lens(0.1, -0.05)},
                                                  {name, lens(0.06, 0.0)}};
    const auto scaleValue = static_cast<std::int16_t>(scale);
    const OverlayLayout layout = LayOutOverlay(sections, scaleValue);
    QCOMPARE(layout.size.width() > ScreenPlotSize.width(), wider);
    QCOMPARE(layout.names.size(), 2);
    if (name.size() > 100) {
        QVERIFY(layout.names[1].endsWith(u'…'));
        QVERIFY(layout.names[1].size() < 100);
    } else {
        QCOMPARE(layout.names[1], name);
    }
    const double gridRight = (scale + 50) * 996.0 / 1500.0;  // x = 1 in the screen plot
    QVERIFY(layout.legend.x() > gridRight);
    // Drawn: the name's ink ends within the picture's margin.
    const QImage image = paint(
        [&](QPainter& painter) {
            PaintOverlay(painter, sections, scaleValue, 1.0, PlotRounding::WholeUnitsAndPixels);
        },
        layout.size, 1.0);
    int right = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = static_cast<int>(layout.legend.x()); x < image.width(); ++x) {
            right = image.pixel(x, y) != PlotBackColor.rgb() ? std::max(right, x) : right;
        }
    }
    QVERIFY2(right > layout.legend.x() + OverlayStrokePixels + OverlayGapPixels &&
                 right < layout.size.width() - OverlayMarginPixels / 2,
             qPrintable(QString::number(right)));
}

void TestOverlay::screenPlotUnderneath_data() {
    QTest::addColumn<int>("scale");
    QTest::addColumn<double>("ratio");
    QTest::newRow("1000") << 1000 << 1.0;
    QTest::newRow("1000, two device pixels a pixel") << 1000 << 2.0;
    QTest::newRow("1400, widened to the right") << 1400 << 1.0;
}

// Without widening, one section lies exactly where the screen plot draws it, and the grid's
// lines where its blue ones are, in grey.
void TestOverlay::screenPlotUnderneath() {
    QFETCH(int, scale);
    QFETCH(double, ratio);
    const auto scaleValue = static_cast<std::int16_t>(scale);
    const SectionCurves curves = lens(0.15, -0.08);
    const std::vector<OverlaySection> sections = {{QStringLiteral("lens"), curves}};
    const OverlayLayout layout = LayOutOverlay(sections, scaleValue);
    QCOMPARE(layout.above, 0);
    const QImage overlay = paint(
        [&](QPainter& painter) {
            PaintOverlay(painter, sections, scaleValue, ratio, PlotRounding::WholeUnitsAndPixels);
        },
        layout.size, ratio);
    const QImage plot = paint(
        [&](QPainter& painter) {
            PaintScreenPlot(painter, ScreenView{ScreenPlotFrame, ScreenPlotSize, ratio}, scaleValue,
                            curves, PlotRounding::WholeUnitsAndPixels);
        },
        ScreenPlotSize, ratio);
    int grey = 0;
    int black = 0;
    const int right = static_cast<int>((layout.legend.x() - OverlayMarginPixels) * ratio);
    for (int y = 0; y < plot.height(); ++y) {
        for (int x = 0; x < std::min(right, plot.width()); ++x) {
            const QRgb want = plot.pixel(x, y);
            const QRgb got = overlay.pixel(x, y);
            const QRgb expected = want == PlotGridColor.rgb() ? OverlayGridColor.rgb() : want;
            if (got != expected) {
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2): %3, expected %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(got, 0, 16)
                                     .arg(expected, 0, 16)));
            }
            grey += got == OverlayGridColor.rgb() ? 1 : 0;
            black += got == OverlayColors[0].rgb() ? 1 : 0;
        }
    }
    QVERIFY(grey > 1000 * ratio);
    QVERIFY(black > 1000 * ratio);
}

QTEST_MAIN(TestOverlay)
#include "tst_overlay.moc"
