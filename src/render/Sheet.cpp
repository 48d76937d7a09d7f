// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sheet.h"

#include "PlotGeometry.h"
#include "PlotStyle.h"

#include <QFontMetricsF>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

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

constexpr double MillimetresPerInch = 25.4;
// The resolution the sheet's PDF files have.
constexpr int PdfResolution = 1200;

// A4 in millimetres, and how far from it a point may lie: Qt's PDF writer breaks on device
// coordinates beyond 2^32, which a few million millimetres reach at printer resolutions.
constexpr double PageWidth = 210.0;
constexpr double PageHeight = 297.0;
constexpr double MaxOffPage = 1e6;

bool fits(double x, double y) {
    return x >= -MaxOffPage && x <= PageWidth + MaxOffPage && y >= -MaxOffPage &&
           y <= PageHeight + MaxOffPage;
}

// Millimetres on the page to the device's own units; text and pens are drawn unscaled.
class SheetPage {
public:
    SheetPage(QPainter& painter, const QString& fontName)
        : painter_(painter),
          devicePerMillimetre_(painter.device()->logicalDpiX() / MillimetresPerInch) {
        font_.setFamily(fontName);
    }

    void text(float x, float y, const QString& text, double points, const QColor& color) {
        font_.setPointSizeF(points);
        painter_.setFont(font_);
        painter_.setPen(color);
        // The position names the text's top-left corner, Qt's its baseline.
        const QFontMetricsF metrics(font_, painter_.device());
        const QPointF topLeft = toDevice(x, y);
        painter_.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    }

    // A line of the plot, in data units at `scale` millimetres each.
    void plotLine(const DataLine& line, double scale, const QColor& color, int width) {
        const double x1 = scale * line.x1 + OriginX;
        const double y1 = OriginY - scale * line.y1;
        const double x2 = scale * line.x2 + OriginX;
        const double y2 = OriginY - scale * line.y2;
        if (!fits(x1, y1) || !fits(x2, y2)) {
            return;
        }
        QPen pen(color);
        pen.setWidth(width);
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::RoundCap);
        painter_.setPen(pen);
        painter_.drawLine(QLineF(toDevice(static_cast<float>(x1), static_cast<float>(y1)),
                                 toDevice(static_cast<float>(x2), static_cast<float>(y2))));
    }

private:
    QPointF toDevice(float x, float y) const {
        return {x * devicePerMillimetre_, y * devicePerMillimetre_};
    }

    QPainter& painter_;
    double devicePerMillimetre_;
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
    ForEachPlotLine(
        sheet.curves,
        [&](const DataLine& line) {
            page.plotLine(line, sheet.scale, PlotGridColor, PlotGridWidth);
        },
        [&](const DataLine& line) {
            page.plotLine(line, sheet.scale, PlotCurveColor, PlotCurveWidth);
        });
}

bool BeginSheetPage(QPainter& painter, QPagedPaintDevice& device) {
    device.setPageSize(QPageSize(QPageSize::A4));
    useSmallestMargins(device);
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    return true;
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
    if (!BeginSheetPage(painter, writer)) {
        return Status::failure(QStringLiteral("the PDF document cannot be started"));
    }
    PaintSheet(painter, sheet);
    if (!painter.end()) {
        return Status::failure(QStringLiteral("the PDF document cannot be finished"));
    }
    return Status::success();
}

}  // namespace vandrix
