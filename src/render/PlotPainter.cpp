// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlotPainter.h"

#include "PlotGeometry.h"
#include "PlotStyle.h"

#include <QLine>
#include <QPainter>
#include <QPolygonF>

namespace vandrix {

PlotPainter::PlotPainter(QPainter& painter, const PlotMapping& mapping)
    : painter_(painter), mapping_(mapping) {
    painter_.save();
    inPageUnits_ = mapping_.rounding() == PlotRounding::None && !mapping_.clipsOnDevice() &&
                   UserToDevicePixels(painter_) == mapping_.unitsToDevice();
    if (inPageUnits_) {
        return;
    }
    const double ratio = painter_.device()->devicePixelRatio();
    const QTransform devicePixels = QTransform::fromScale(1.0 / ratio, 1.0 / ratio);
    // Setting the transform it already has would still start a new graphics state in a PDF.
    if (painter_.worldTransform() != devicePixels || painter_.viewTransformEnabled()) {
        painter_.resetTransform();
        painter_.setWorldTransform(devicePixels);
    }
}

PlotPainter::~PlotPainter() {
    painter_.restore();
}

void PlotPainter::setPen(const QPen& pen) {
    painter_.setPen(pen);
}

void PlotPainter::fill(const QRectF& area, const QColor& color) {
    painter_.fillRect(area, color);
}

std::optional<QPointF> PlotPainter::place(QPointF point) const {
    return inPageUnits_ ? mapping_.toUnits(point) : mapping_.map(point);
}

void PlotPainter::line(const DataLine& line) {
    if (inPageUnits_) {
        const std::optional<QPointF> from = place({line.x1, line.y1});
        const std::optional<QPointF> to = place({line.x2, line.y2});
        if (from && to) {
            painter_.drawLine(QLineF(*from, *to));
        }
        return;
    }
    const std::optional<QLineF> visible = mapping_.map(line);
    if (!visible) {
        return;
    }
    if (mapping_.rounding() == PlotRounding::WholeUnitsAndPixels) {
        // The ends are whole numbers already.
        painter_.drawLine(QLine(static_cast<int>(visible->x1()), static_cast<int>(visible->y1()),
                                static_cast<int>(visible->x2()), static_cast<int>(visible->y2())));
        return;
    }
    painter_.drawLine(*visible);
}

void PlotPainter::polygon(const std::vector<QPointF>& ring) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(ring.size()));
    for (const QPointF& point : ring) {
        const std::optional<QPointF> placed = place(point);
        if (!placed) {
            return;
        }
        polygon << *placed;
    }
    painter_.drawPolygon(polygon);
}

QTransform UserToDevicePixels(const QPainter& painter) {
    const double ratio = painter.device()->devicePixelRatio();
    return painter.combinedTransform() * QTransform::fromScale(ratio, ratio);
}

void PaintPlot(PlotPainter& painter, const SectionCurves& curves, const QPen& gridPen,
               const QPen& curvePen) {
    painter.setPen(gridPen);
    bool curvesBegun = false;
    ForEachPlotLine(
        curves, [&](const DataLine& line) { painter.line(line); },
        [&](const DataLine& line) {
            if (!curvesBegun) {
                painter.setPen(curvePen);
                curvesBegun = true;
            }
            painter.line(line);
        });
}

void PaintScreenPlot(QPainter& painter, const ScreenView& view, std::int16_t scale,
                     const SectionCurves& curves, PlotRounding rounding) {
    PlotPainter plotter(painter, ScreenMapping(scale, view, rounding));
    painter.setRenderHint(QPainter::Antialiasing, false);
    plotter.fill(QRectF(0.0, 0.0, view.size.width() * view.ratio, view.size.height() * view.ratio),
                 PlotBackColor);
    const auto pen = [&view](const QColor& color, int pixels) {
        return QPen(color, pixels * view.ratio, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    };
    PaintPlot(plotter, curves, pen(PlotGridColor, PlotGridWidth),
              pen(PlotCurveColor, PlotCurveWidth));
}

}  // namespace vandrix
