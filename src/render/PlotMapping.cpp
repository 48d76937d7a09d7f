// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlotMapping.h"

#include "model/Conversions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace vandrix {

namespace {

bool isFinite(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// Inclusive, and false for a coordinate that is not a number.
bool within(QPointF p, const QRectF& bounds) {
    return p.x() >= bounds.left() && p.x() <= bounds.right() && p.y() >= bounds.top() &&
           p.y() <= bounds.bottom();
}

}  // namespace

PlotMapping::PlotMapping(const QTransform& dataToUnits, const QTransform& unitsToDevice,
                         PlotRounding rounding)
    : toUnits_(dataToUnits), toDevice_(unitsToDevice), rounding_(rounding) {}

std::optional<QPointF> PlotMapping::toUnits(QPointF point) const {
    QPointF units = toUnits_.map(point);
    if (unitBounds_ && !within(units, *unitBounds_)) {
        return std::nullopt;
    }
    if (rounding_ != PlotRounding::None) {
        const Result<std::int32_t> x = RoundToInt32(units.x());
        const Result<std::int32_t> y = RoundToInt32(units.y());
        if (!x || !y) {
            return std::nullopt;
        }
        units = QPointF(x.value(), y.value());
    }
    if (!isFinite(units)) {
        return std::nullopt;
    }
    return units;
}

std::optional<QPointF> PlotMapping::place(QPointF point) const {
    const std::optional<QPointF> units = toUnits(point);
    if (!units) {
        return std::nullopt;
    }
    const QPointF device = toDevice_.map(*units);
    if (!isFinite(device)) {
        return std::nullopt;
    }
    return device;
}

std::optional<QPointF> PlotMapping::whole(QPointF point) const {
    if (rounding_ != PlotRounding::WholeUnitsAndPixels) {
        return point;
    }
    constexpr double Limit = std::numeric_limits<int>::max();
    if (std::abs(point.x()) >= Limit || std::abs(point.y()) >= Limit) {
        return std::nullopt;
    }
    return QPointF(static_cast<double>(std::lround(point.x())),
                   static_cast<double>(std::lround(point.y())));
}

std::optional<QPointF> PlotMapping::map(QPointF point) const {
    const std::optional<QPointF> device = place(point);
    return device ? whole(*device) : std::nullopt;
}

std::optional<QLineF> PlotMapping::map(const DataLine& line) const {
    const std::optional<QPointF> from = place({line.x1, line.y1});
    const std::optional<QPointF> to = place({line.x2, line.y2});
    if (!from || !to) {
        return std::nullopt;
    }
    QLineF visible(*from, *to);
    if (deviceClip_) {
        const std::optional<QLineF> clipped = ClipLine(visible, *deviceClip_);
        if (!clipped) {
            return std::nullopt;
        }
        visible = *clipped;
    }
    const std::optional<QPointF> p1 = whole(visible.p1());
    const std::optional<QPointF> p2 = whole(visible.p2());
    if (!p1 || !p2) {
        return std::nullopt;
    }
    return QLineF(*p1, *p2);
}

QTransform FrameToDevice(const ScreenView& view) {
    const double sx = view.size.width() * view.ratio / view.frame.width;
    const double sy = view.size.height() * view.ratio / view.frame.height;
    return {sx, 0.0, 0.0, sy, -view.frame.left * sx, -view.frame.top * sy};
}

PlotMapping ScreenMapping(std::int16_t scale, const ScreenView& view, PlotRounding rounding) {
    PlotMapping mapping(QTransform::fromScale(scale, scale), FrameToDevice(view), rounding);
    mapping.setDeviceClip(
        QRectF(0.0, 0.0, view.size.width() * view.ratio, view.size.height() * view.ratio)
            .adjusted(-ScreenClipMargin, -ScreenClipMargin, ScreenClipMargin, ScreenClipMargin));
    return mapping;
}

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

}  // namespace vandrix
