// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sheet.h"

#include "Paper.h"
#include "PlotPainter.h"
#include "PlotStyle.h"

#include <QFontMetricsF>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace vandrix {

namespace {

constexpr double OriginX = 10.0;
constexpr double OriginY = 75.0;
constexpr float TitleX = 10.0F;
constexpr float TitleY = 10.0F;
constexpr double TitlePoints = 18.0;
constexpr double TablePoints = 9.0;
constexpr float CaptionX = 10.0F;
constexpr float ValueX = 50.0F;
constexpr float TableTop = 100.0F;
constexpr float RowStep = 5.0F;
const QColor TitleColor(0, 0, 255);
const QColor TableColor(0, 0, 0);

constexpr double MaxOffPage = 1e6;

// The page in millimetres, text and pens drawn unscaled in the device's own units.
class SheetPage {
public:
    SheetPage(QPainter& painter, const QString& fontName)
        : painter_(painter), toDevice_(MillimetresToDevice(painter.device()->logicalDpiX())) {
        font_.setFamily(fontName);
    }

    void text(float x, float y, const QString& text, double points, const QColor& color) {
        font_.setPointSizeF(points);
        painter_.setFont(font_);
        painter_.setPen(color);
        // The position names the text's top-left corner, Qt's its baseline.
        const QFontMetricsF metrics(font_, painter_.device());
        const QPointF topLeft = toDevice_.map(QPointF(x, y));
        painter_.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    }

    void plot(const SectionCurves& curves, double scale) {
        PlotPainter plotter(painter_, SheetPlotMapping(scale, toDevice_));
        PaintPlot(plotter, curves, pen(PlotGridColor, PlotGridWidth),
                  pen(PlotCurveColor, PlotCurveWidth));
    }

private:
    static QPen pen(const QColor& color, int width) {
        QPen pen(color);
        pen.setWidth(width);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::RoundCap);
        return pen;
    }

    QPainter& painter_;
    QTransform toDevice_;
    QFont font_;
};

void useSmallestMargins(QPagedPaintDevice& device) {
    QPageLayout layout = device.pageLayout();
    layout.setMargins(layout.minimumMargins());
    device.setPageLayout(layout);
}

}  // namespace

SheetContent SheetOfPairs(const std::array<QString, HeaderPairCount>& labels,
                          const std::array<QString, HeaderPairCount>& values,
                          const QString& fontName, double scale, const SectionCurves& curves) {
    SheetContent sheet{fontName, values[0], {}, {}, scale, curves};
    for (std::size_t row = 0; row < sheet.captions.size(); ++row) {
        sheet.captions.at(row) = labels.at(row + 1);
        sheet.values.at(row) = values.at(row + 1);
    }
    return sheet;
}

PlotMapping SheetPlotMapping(double scale, const QTransform& pageToDevice) {
    PlotMapping mapping(QTransform(scale, 0.0, 0.0, -scale, OriginX, OriginY), pageToDevice);
    mapping.setUnitBounds(
        QRectF(-MaxOffPage, -MaxOffPage, A4Width + 2.0 * MaxOffPage, A4Height + 2.0 * MaxOffPage));
    return mapping;
}

void PaintSheet(QPainter& painter, const SheetContent& sheet) {
    SheetPage page(painter, sheet.fontName);
    page.text(TitleX, TitleY, sheet.title, TitlePoints, TitleColor);
    for (int row = 0; row < SheetRows; ++row) {
        page.text(CaptionX, TableTop + RowStep * static_cast<float>(row),
                  sheet.captions.at(static_cast<std::size_t>(row)), TablePoints, TableColor);
    }
    for (int row = 0; row < SheetRows; ++row) {
        page.text(ValueX, TableTop + RowStep * static_cast<float>(row),
                  QStringLiteral(": ") + sheet.values.at(static_cast<std::size_t>(row)),
                  TablePoints, TableColor);
    }
    page.plot(sheet.curves, sheet.scale);
}

Status BeginSheetPage(QPainter& painter, QPagedPaintDevice& device, const BeginPainter& begin) {
    device.setPageSize(QPageSize(QPageSize::A4));
    useSmallestMargins(device);
    if (Status begun = begin(painter); !begun) {
        return begun;
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    return Status::success();
}

Status WriteSheetPdf(QIODevice& output, const SheetContent& sheet) {
    if (!output.isWritable()) {
        return Status::failure(QStringLiteral("the output is not open for writing"));
    }
    QPdfWriter writer(&output);
    writer.setResolution(PdfResolution);
    writer.setTitle(QStringLiteral("Vandrix"));
    writer.setCreator(QStringLiteral("Vandrix"));
    QPainter painter;
    Status begun = BeginSheetPage(painter, writer, [&writer](QPainter& p) {
        return p.begin(&writer)
                   ? Status::success()
                   : Status::failure(QStringLiteral("the PDF document cannot be started"));
    });
    if (!begun) {
        return begun;
    }
    PaintSheet(painter, sheet);
    if (!painter.end()) {
        return Status::failure(QStringLiteral("the PDF document cannot be finished"));
    }
    return Status::success();
}

}  // namespace vandrix
