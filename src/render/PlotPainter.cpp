// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlotPainter.h"

#include <QPainter>

#include <array>
#include <cmath>

namespace vandrix {

namespace {

// Lines are clipped to the area plus this margin (in device pixels) before they are
// rasterised, so that a pen wider than one pixel still shows its edge at the border and
// far-away coordinates cost nothing.
constexpr double ClipMargin = 8.0;

}  // namespace

std::optional<QLineF> ClipLine(const QLineF& line, const QRectF& rect) {
    // Liang-Barsky: the segment is p1 + t (p2 - p1), 0 <= t <= 1.
    const double dx = line.dx();
    const double dy = line.dy();
    const std::array<double, 4> p = {-dx, dx, -dy, dy};
    const std::array<double, 4> q = {line.x1() - rect.left(), rect.right() - line.x1(),
                                     line.y1() - rect.top(), rect.bottom() - line.y1()};
    double t0 = 0.0;
    double t1 = 1.0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return std::nullopt;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return std::nullopt;
        }
    }
    return QLineF(line.x1() + t0 * dx, line.y1() + t0 * dy, line.x1() + t1 * dx,
                  line.y1() + t1 * dy);
}

PlotPainter::PlotPainter(QPainter& painter, QSize size, const UserFrame& frame, double ratio)
    : painter_(painter),
      size_(size),
      frame_(frame),
      ratio_(ratio),
      pen_(PlotCurveColor, ratio, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) {
    painter_.save();
    // Drawing happens in device pixels whatever the device's own pixel ratio.
    painter_.scale(1.0 / ratio_, 1.0 / ratio_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(pen_);
}

PlotPainter::~PlotPainter() {
    painter_.restore();
}

QPointF PlotPainter::toPixel(double x, double y) const {
    return {(x - frame_.left) * size_.width() / frame_.width,
            (y - frame_.top) * size_.height() / frame_.height};
}

void PlotPainter::fill(const QColor& color) {
    painter_.fillRect(QRectF(0.0, 0.0, size_.width() * ratio_, size_.height() * ratio_), color);
}

void PlotPainter::setDrawWidth(int pixels) {
    pen_.setWidthF(pixels * ratio_);
    penChanged_ = true;
}

void PlotPainter::line(double x1, double y1, double x2, double y2, const QColor& color) {
    const QPointF from = toPixel(x1, y1) * ratio_;
    const QPointF to = toPixel(x2, y2) * ratio_;
    if (!std::isfinite(from.x()) || !std::isfinite(from.y()) || !std::isfinite(to.x()) ||
        !std::isfinite(to.y())) {
        return;
    }
    const QRectF area = QRectF(0.0, 0.0, size_.width() * ratio_, size_.height() * ratio_)
                            .adjusted(-ClipMargin, -ClipMargin, ClipMargin, ClipMargin);
    const std::optional<QLineF> visible = ClipLine(QLineF(from, to), area);
    if (!visible) {
        return;
    }
    if (penChanged_ || pen_.color() != color) {
        pen_.setColor(color);
        painter_.setPen(pen_);
        penChanged_ = false;
    }
    if (!wholePixels_) {
        painter_.drawLine(*visible);
        return;
    }
    painter_.drawLine(QPoint(static_cast<int>(std::lround(visible->x1())),
                             static_cast<int>(std::lround(visible->y1()))),
                      QPoint(static_cast<int>(std::lround(visible->x2())),
                             static_cast<int>(std::lround(visible->y2()))));
}

void DrawScreenPlot(PlotPainter& painter, const ScreenPlot& plot) {
    painter.fill(PlotBackColor);
    painter.setDrawWidth(PlotGridWidth);
    for (const PlotLine& line : plot.grid) {
        painter.line(line.x1, line.y1, line.x2, line.y2, PlotGridColor);
    }
    painter.setDrawWidth(PlotCurveWidth);
    for (const PlotLine& line : plot.curves) {
        painter.line(line.x1, line.y1, line.x2, line.y2, PlotCurveColor);
    }
}

}  // namespace vandrix
