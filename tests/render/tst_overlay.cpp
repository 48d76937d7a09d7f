// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingPaintDevice.h"
#include "render/Overlay.h"
#include "render/PlotPainter.h"
#include "render/PlotStyle.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

using namespace vandrix;
using vandrix::testing::PaintedOp;
using vandrix::testing::RecordingPaintDevice;

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

constexpr double Inf = std::numeric_limits<double>::infinity();

}  // namespace

// The overlay of several sections: its grid, colours and legend as painted.
class TestOverlay : public QObject {
    Q_OBJECT

private slots:
    void painted_data();
    void painted();
    void screenPlotUnderneath_data();
    void screenPlotUnderneath();
};

void TestOverlay::painted_data() {
    QTest::addColumn<int>("scale");
    QTest::addColumn<QList<QPointF>>("lenses");  // each lens's top and bottom
    QTest::addColumn<QString>("name");           // of the last lens, else "S1", "S2", ...
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QList<double>>("rows");  // the lowest and highest grid row's y, their count
    const QList<double> plot = {330, 66, 5};
    QList<QPointF> nine;
    for (int k = 0; k < 9; ++k) {
        nine << QPointF(0.02 * (k + 1), -0.01 * k);
    }
    QTest::newRow("nine: the first eight") << 1000 << nine << "" << QSize(996, 396) << plot;
    // 0.1 * 3 is 0.30000000000000004: on the line, but for the last bit.
    QTest::newRow("on its line, rounded; a long name cut short")
        << 1000 << QList<QPointF>{{0.1, -0.05}, {0.1 * 3, -0.05}} << QString(300, u'W')
        << QSize(996, 396) << plot;
    QTest::newRow("two steps up, one down") << 1000 << QList<QPointF>{{0.41, -0.11}} << ""
                                            << QSize(996, 594) << QList<double>{528, 66, 8};
    QTest::newRow("scale 500: 33 pixels a step; infinite: no step")
        << 500 << QList<QPointF>{{0.12, -0.25}, {Inf, -0.05}} << "" << QSize(996, 462)
        << QList<double>{363, 165, 7};
    // A step of 79.2 pixels: the picture grows by 80, the grid keeps its place below the top.
    QTest::newRow("scale 1200: a step rounded up") << 1200 << QList<QPointF>{{0.31, -0.05}} << ""
                                                   << QSize(996, 476) << QList<double>{423, 27, 6};
    QTest::newRow("far off: up to 1.0, down to -1.0")
        << 1000 << QList<QPointF>{{5.0, -3.0}} << "" << QSize(996, 1452)
        << QList<double>{1386, 66, 21};
    // Turned over: the added step goes below, the picture grows there.
    QTest::newRow("negative scale") << -1000 << QList<QPointF>{{0.35, -0.05}} << ""
                                    << QSize(996, 462) << QList<double>{198, 462, 5};
}

// Read back from a recording paint device: the grid in light grey, widened by whole steps of
// 0.1 where a section needs them (the picture by the pixels they take, rounded up); each
// section's curves in its own colour in the order given; the legend right of the grid in the
// same order, a stroke of each colour level with a black name.
void TestOverlay::painted() {
    QFETCH(int, scale);
    QFETCH(QList<QPointF>, lenses);
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(QList<double>, rows);
    std::vector<OverlaySection> sections;
    for (const QPointF& heights : lenses) {
        sections.push_back(
            {QStringLiteral("S%1").arg(sections.size() + 1), lens(heights.x(), heights.y())});
    }
    sections.back().name = name.isEmpty() ? sections.back().name : name;
    const auto scaleValue = static_cast<std::int16_t>(scale);
    const OverlayLayout layout = LayOutOverlay(sections, scaleValue);
    QCOMPARE(layout.size, size);
    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        PaintOverlay(painter, sections, scaleValue, 1.0, PlotRounding::WholeUnitsAndPixels);
    }
    QList<QColor> curves;
    QList<QColor> strokes;
    QList<double> horizontal;
    QList<double> vertical;  // each vertical line's ends
    QStringList names;
    qsizetype segments = 0;
    for (const PaintedOp& op : device.ops) {
        const QLineF line = op.device;
        if (op.kind == PaintedOp::Kind::Text) {
            QCOMPARE(op.color, OverlayTextColor);
            names << op.text;
        } else if (op.color == OverlayGridColor) {
            QCOMPARE(op.width, PlotGridWidth);
            line.y1() == line.y2() ? horizontal << line.y1() : vertical << line.y1() << line.y2();
        } else if (line.x1() < layout.legend.x()) {
            QVERIFY(names.isEmpty());  // the curves before the legend
            ++segments;
            curves << op.color;
            curves.erase(std::unique(curves.begin(), curves.end()), curves.end());
        } else {
            strokes << op.color;
            QCOMPARE(line.y1(), layout.legend.y() + (strokes.size() - 0.5) * OverlayRowPixels);
            QVERIFY(line.y1() == line.y2() && line.x2() < size.width());
        }
    }
    const qsizetype drawn = std::min<qsizetype>(lenses.size(), MaxOverlaySections);
    const QList<QColor> colours(OverlayColors.begin(), OverlayColors.begin() + drawn);
    QCOMPARE(curves, colours);
    QCOMPARE(strokes, colours);
    // Every segment drawn where every point lies in the picture.
    if (scale > 0 && std::all_of(lenses.begin(), lenses.end(), [](QPointF h) {
            return std::abs(h.x()) <= 1.0 && std::abs(h.y()) <= 1.0;
        })) {
        QCOMPARE(segments, drawn * 2 * (SectionStations - 1));
    }
    QCOMPARE(names, layout.names);
    for (qsizetype k = 0; k < drawn; ++k) {
        const QString& given = sections[std::size_t(k)].name;
        QVERIFY(given.size() > 100 ? names[k].endsWith(u'…') && names[k].size() < 100
                                   : names[k] == given);
    }
    QCOMPARE((QList<double>{horizontal.first(), horizontal.last(), double(horizontal.size())}),
             rows);
    if (scale > 0) {  // 11 vertical lines, each from the bottom row to the top one
        QCOMPARE(vertical.size(), 2 * 11);
        QCOMPARE(*std::max_element(vertical.begin(), vertical.end()), rows[0]);
        QCOMPARE(*std::min_element(vertical.begin(), vertical.end()), rows[1]);
    }
    QVERIFY(layout.legend.x() > (std::max(scale, 0) + 50) * 996.0 / 1500.0);  // x = 1
}

void TestOverlay::screenPlotUnderneath_data() {
    QTest::addColumn<int>("scale");
    QTest::addColumn<double>("ratio");
    QTest::newRow("1000, two device pixels a pixel") << 1000 << 2.0;
    QTest::newRow("1400, widened to the right") << 1400 << 1.0;
}

// Without widening, one section lies exactly where the screen plot draws it and the grid's
// lines where its blue ones are, in grey; the legend's ink ends within the picture's margin.
void TestOverlay::screenPlotUnderneath() {
    QFETCH(int, scale);
    QFETCH(double, ratio);
    const auto scaleValue = static_cast<std::int16_t>(scale);
    const SectionCurves curves = lens(0.15, -0.08);
    const std::vector<OverlaySection> one = {{QStringLiteral("NACA 2412"), curves}};
    const OverlayLayout layout = LayOutOverlay(one, scaleValue);
    QImage overlay(layout.size * ratio, QImage::Format_RGB32);
    QImage plot(ScreenPlotSize * ratio, QImage::Format_RGB32);
    overlay.setDevicePixelRatio(ratio);
    plot.setDevicePixelRatio(ratio);
    {
        QPainter painter(&overlay);
        PaintOverlay(painter, one, scaleValue, ratio, PlotRounding::WholeUnitsAndPixels);
        QPainter plotPainter(&plot);
        PaintScreenPlot(plotPainter, ScreenView{ScreenPlotFrame, ScreenPlotSize, ratio}, scaleValue,
                        curves, PlotRounding::WholeUnitsAndPixels);
    }
    const double legend = layout.legend.x() * ratio;
    double ink = 0;
    for (int y = 0; y < plot.height(); ++y) {
        for (int x = 0; x < overlay.width(); ++x) {
            const QRgb got = overlay.pixel(x, y);
            if (x >= legend) {
                ink = got != PlotBackColor.rgb() ? std::max<double>(ink, x) : ink;
            } else if (x < std::min<double>(plot.width(), legend - OverlayMarginPixels * ratio)) {
                const QRgb want = plot.pixel(x, y) == PlotGridColor.rgb() ? OverlayGridColor.rgb()
                                                                          : plot.pixel(x, y);
                QVERIFY2(got == want, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            }
        }
    }
    QVERIFY2(ink > legend + (OverlayStrokePixels + OverlayGapPixels) * ratio &&
                 ink < (layout.size.width() - OverlayMarginPixels / 2.0) * ratio,
             qPrintable(QString::number(ink)));
}

QTEST_MAIN(TestOverlay)
#include "tst_overlay.moc"
