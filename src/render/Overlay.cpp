// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Overlay.h"

#include "render/Paper.h"
#include "render/PlotGeometry.h"
#include "render/PlotPainter.h"
#include "render/PlotStyle.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QIODevice>
#include <QImage>
#include <QImageWriter>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <span>

namespace vandrix {

namespace {

constexpr double RowsPerUnit = 10.0;
// A point this close to a grid line (in rows) lies on it and needs no step beyond it.
constexpr double OnTheLine = 1e-9;
// A size this close to a whole number of pixels is that number.
constexpr double WholePixel = 1e-6;
// The screen plot's grid, in rows.
constexpr int PlotBottomRow = -1;
constexpr int PlotTopRow = 3;
// The grid's columns: x = 0 .. 1 in steps of 0.1.
constexpr int Columns = 10;

std::span<const OverlaySection> drawn(const std::vector<OverlaySection>& sections) {
    return {sections.data(), std::min<std::size_t>(sections.size(), MaxOverlaySections)};
}

QFont legendFont() {
    QFont font(QString::fromLatin1(OverlayFontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(OverlayTextPixels);
    // A name read back from the PDF or SVG is the name as given, without ligatures.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The screen plot's picture units to its logical pixels.
QTransform unitsToPixels(double ratio) {
    return FrameToDevice(ScreenView{ScreenPlotFrame, ScreenPlotSize, ratio});
}

// Where data (x, y) lies in the screen plot's picture, in logical pixels.
QPointF pixelOf(double x, double y, std::int16_t scale) {
    return unitsToPixels(1.0).map(QPointF(scale * x, scale * y));
}

// The rows from the screen plot's -1 .. 3 to the lowest and highest of the sections' points.
std::pair<int, int> rowsOf(std::span<const OverlaySection> sections) {
    double bottom = PlotBottomRow;
    double top = PlotTopRow;
    for (const OverlaySection& section : sections) {
        for (int curve = 0; curve < CurveCount; ++curve) {
            for (int i = 0; i < SectionStations; ++i) {
                const double row = section.curves.y(curve, i) * RowsPerUnit;
                if (std::isfinite(row)) {
                    bottom = std::min(bottom, std::floor(row + OnTheLine));
                    top = std::max(top, std::ceil(row - OnTheLine));
                }
            }
        }
    }
    return {static_cast<int>(std::max<double>(bottom, -MaxOverlayRow)),
            static_cast<int>(std::min<double>(top, MaxOverlayRow))};
}

// The grid over rows bottom .. top, in the screen plot's order: the vertical lines, then the
// horizontal ones from the bottom up. Over rows -1 .. 3 these are GridLines.
std::vector<DataLine> gridLines(int bottomRow, int topRow) {
    const double bottom = bottomRow / RowsPerUnit;
    const double top = topRow / RowsPerUnit;
    std::vector<DataLine> lines;
    for (int a = 0; a <= Columns; ++a) {
        const double x = a / RowsPerUnit;
        lines.push_back({x, bottom, x, top});
    }
    for (int row = bottomRow; row <= topRow; ++row) {
        const double y = row / RowsPerUnit;
        lines.push_back({0.0, y, 1.0, y});
    }
    return lines;
}

int wholePixels(double length) {
    return std::max(0, static_cast<int>(std::ceil(length - WholePixel)));
}

}  // namespace

OverlayLayout LayOutOverlay(const std::vector<OverlaySection>& sections, std::int16_t scale) {
    const std::span<const OverlaySection> shown = drawn(sections);
    OverlayLayout layout;
    std::tie(layout.bottomRow, layout.topRow) = rowsOf(shown);

    // The grid's top and bottom edges before and after widening (a negative scale turns it over).
    const auto edges = [scale](int bottomRow, int topRow) {
        const double bottom = pixelOf(0.0, bottomRow / RowsPerUnit, scale).y();
        const double top = pixelOf(0.0, topRow / RowsPerUnit, scale).y();
        return std::pair(std::min(bottom, top), std::max(bottom, top));
    };
    const auto [plotTop, plotBottom] = edges(PlotBottomRow, PlotTopRow);
    const auto [gridTop, gridBottom] = edges(layout.bottomRow, layout.topRow);
    layout.above = wholePixels(plotTop - gridTop);
    const int below = wholePixels(gridBottom - plotBottom);

    const QFontMetricsF metrics(legendFont());
    double widest = 0.0;
    for (const OverlaySection& section : shown) {
        const QString name = metrics.elidedText(section.name, Qt::ElideRight, OverlayNamePixels);
        widest = std::max(widest, metrics.horizontalAdvance(name));
        layout.names << name;
    }
    const double legendHeight = static_cast<double>(shown.size()) * OverlayRowPixels;
    const double legendWidth = OverlayStrokePixels + OverlayGapPixels + widest;

    // The legend starts right of the grid, its first stroke level with the grid's top line.
    const double gridRight = std::max(pixelOf(0.0, 0.0, scale).x(), pixelOf(1.0, 0.0, scale).x());
    const double left =
        std::max<double>(std::ceil(gridRight) + OverlayMarginPixels, OverlayMarginPixels);
    const int width =
        std::max(ScreenPlotSize.width(), wholePixels(left + legendWidth + OverlayMarginPixels));
    const int height = ScreenPlotSize.height() + layout.above + below;
    const double lowest = height - legendHeight - OverlayMarginPixels;
    const double top = std::round(gridTop + layout.above - OverlayRowPixels / 2.0);
    layout.legend = QPointF(left, std::max<double>(std::min(top, lowest), OverlayMarginPixels));
    layout.size = QSize(width, height);
    return layout;
}

void PaintOverlay(QPainter& painter, const std::vector<OverlaySection>& sections,
                  std::int16_t scale, double ratio, PlotRounding rounding) {
    const std::span<const OverlaySection> shown = drawn(sections);
    const OverlayLayout layout = LayOutOverlay(sections, scale);
    const QRectF picture(0.0, 0.0, layout.size.width() * ratio, layout.size.height() * ratio);
    {
        // The screen plot's mapping, moved down by the pixels added above it.
        PlotMapping mapping(
            QTransform::fromScale(scale, scale),
            unitsToPixels(ratio) * QTransform::fromTranslate(0.0, layout.above * ratio), rounding);
        mapping.setDeviceClip(picture.adjusted(-ScreenClipMargin, -ScreenClipMargin,
                                               ScreenClipMargin, ScreenClipMargin));
        PlotPainter plotter(painter, mapping);
        painter.setRenderHint(QPainter::Antialiasing, false);
        plotter.fill(picture, PlotBackColor);
        const auto pen = [ratio](const QColor& color, int pixels) {
            return QPen(color, pixels * ratio, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        };
        plotter.setPen(pen(OverlayGridColor, PlotGridWidth));
        for (const DataLine& line : gridLines(layout.bottomRow, layout.topRow)) {
            plotter.line(line);
        }
        for (std::size_t k = 0; k < shown.size(); ++k) {
            plotter.setPen(pen(OverlayColors.at(k), PlotCurveWidth));
            ForEachPlotLine(
                shown[k].curves, [](const DataLine&) {},
                [&plotter](const DataLine& line) { plotter.line(line); });
        }
    }

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const QFont font = legendFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    // The text's middle level with the stroke.
    const double baseline = (metrics.ascent() - metrics.descent()) / 2.0;
    for (int k = 0; k < static_cast<int>(layout.names.size()); ++k) {
        const double middle = layout.legend.y() + (k + 0.5) * OverlayRowPixels;
        const double left = layout.legend.x();
        painter.setPen(QPen(OverlayColors.at(static_cast<std::size_t>(k)), PlotCurveWidth,
                            Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QLineF(left, middle, left + OverlayStrokePixels, middle));
        painter.setPen(OverlayTextColor);
        painter.drawText(QPointF(left + OverlayStrokePixels + OverlayGapPixels, middle + baseline),
                         layout.names[k]);
    }
    painter.restore();
}

Result<PictureFormat> PictureFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return Result<PictureFormat>::success(PictureFormat::Png);
    }
    if (suffix == QLatin1String("svg")) {
        return Result<PictureFormat>::success(PictureFormat::Svg);
    }
    if (suffix == QLatin1String("pdf")) {
        return Result<PictureFormat>::success(PictureFormat::Pdf);
    }
    return Result<PictureFormat>::failure(QStringLiteral("not a .png, .svg or .pdf file"));
}

namespace {

Status writePng(QIODevice& device, const std::vector<OverlaySection>& sections, std::int16_t scale,
                QSize size) {
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        PaintOverlay(painter, sections, scale, 1.0, PlotRounding::WholeUnitsAndPixels);
    }
    QImageWriter writer(&device, "png");
    if (!writer.write(image)) {
        return Status::failure(writer.errorString());
    }
    return Status::success();
}

Status writeSvg(QIODevice& device, const std::vector<OverlaySection>& sections, std::int16_t scale,
                QSize size) {
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(QStringLiteral("Vandrix"));
    QPainter painter;
    if (!painter.begin(&generator)) {
        return Status::failure(QStringLiteral("the SVG drawing cannot be started"));
    }
    PaintOverlay(painter, sections, scale, 1.0, PlotRounding::WholeUnits);
    painter.end();
    return Status::success();
}

Status writePdf(QIODevice& device, const std::vector<OverlaySection>& sections, std::int16_t scale,
                QSize size) {
    QPdfWriter writer(&device);
    // A pixel to a point: the page is the picture's size.
    writer.setResolution(static_cast<int>(PointsPerInch));
    writer.setTitle(QStringLiteral("Vandrix"));
    writer.setCreator(QStringLiteral("Vandrix"));
    writer.setPageLayout(
        QPageLayout(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return Status::failure(QStringLiteral("the PDF document cannot be started"));
    }
    PaintOverlay(painter, sections, scale, 1.0, PlotRounding::WholeUnits);
    if (!painter.end()) {
        return Status::failure(QStringLiteral("the PDF document cannot be finished"));
    }
    return Status::success();
}

}  // namespace

Status WriteOverlay(QIODevice& device, PictureFormat format,
                    const std::vector<OverlaySection>& sections, std::int16_t scale) {
    if (!device.isWritable()) {
        return Status::failure(QStringLiteral("the output is not open for writing"));
    }
    const QSize size = LayOutOverlay(sections, scale).size;
    switch (format) {
        case PictureFormat::Png:
            return writePng(device, sections, scale, size);
        case PictureFormat::Svg:
            return writeSvg(device, sections, scale, size);
        case PictureFormat::Pdf:
            return writePdf(device, sections, scale, size);
    }
    return Status::failure(QStringLiteral("no such picture format"));
}

}  // namespace vandrix
