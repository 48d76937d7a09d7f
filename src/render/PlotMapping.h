// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PlotGrid.h"

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QTransform>

#include <cstdint>
#include <optional>

namespace vandrix {

// How coordinates are rounded on their way to the device.
enum class PlotRounding {
    // Exactly where the transform puts them: the printed sheet and the templates.
    None,
    // The screen plot on a vector device (SVG): each coordinate first to the nearest whole user
    // unit, an exact half to the even one; a line with a coordinate that is not a finite 32-bit
    // integer then is left out.
    WholeUnits,
    // The screen plot on a raster device (the picture area, PNG): whole user units, then each
    // line end, once cut to the clip, to the nearest whole device pixel.
    WholeUnitsAndPixels,
};

// Where data units land on a device: one transform from data units to device units, made of
// two steps, data to page units (the screen's user units, the sheet's and the templates'
// millimetres) and page units to device units, with the rounding between and after them and
// what happens to lines that lie far off.
class PlotMapping {
public:
    PlotMapping(const QTransform& dataToUnits, const QTransform& unitsToDevice,
                PlotRounding rounding = PlotRounding::None);

    // Lines with an end outside `bounds` (in page units, before rounding) are left out, as are
    // lines with an end that is not a number.
    void setUnitBounds(const QRectF& bounds) { unitBounds_ = bounds; }
    // Lines are cut to `clip` (in device units) before their ends are rounded.
    void setDeviceClip(const QRectF& clip) { deviceClip_ = clip; }

    // Data units to device units, without rounding.
    QTransform transform() const { return toUnits_ * toDevice_; }
    const QTransform& unitsToDevice() const { return toDevice_; }
    PlotRounding rounding() const { return rounding_; }
    bool clipsOnDevice() const { return deviceClip_.has_value(); }

    // A data point in page units, rounded as the mapping rounds them; nothing when it cannot be
    // placed (not a number, beyond the bounds, not a whole 32-bit user unit).
    std::optional<QPointF> toUnits(QPointF point) const;
    // A data point on the device, rounded as the mapping rounds line ends; nothing when it
    // cannot be placed. Points are not clipped.
    std::optional<QPointF> map(QPointF point) const;
    // The part of a line that is drawn, in device units; nothing when none is.
    std::optional<QLineF> map(const DataLine& line) const;

private:
    std::optional<QPointF> place(QPointF point) const;  // on the device, not yet whole
    std::optional<QPointF> whole(QPointF point) const;

    QTransform toUnits_;
    QTransform toDevice_;
    PlotRounding rounding_;
    std::optional<QRectF> unitBounds_;
    std::optional<QRectF> deviceClip_;
};

// A user coordinate frame: the drawing area's left and top edges are at (left, top), and it is
// `width` units wide and `height` units high (a negative height makes y grow upwards).
struct UserFrame {
    double left = 0.0;
    double top = 0.0;
    double width = 1.0;
    double height = 1.0;
};

// The screen plot's frame and the size of the picture area's inner image, in pixels.
inline constexpr UserFrame ScreenPlotFrame{-50.0, 400.0, 1500.0, -600.0};
inline constexpr QSize ScreenPlotSize(996, 396);

// A drawing area of `size` logical pixels over a user frame, with `ratio` device pixels to a
// logical pixel.
struct ScreenView {
    UserFrame frame = ScreenPlotFrame;
    QSize size = ScreenPlotSize;
    double ratio = 1.0;
};

// User units to the view's device pixels.
QTransform FrameToDevice(const ScreenView& view);

// The screen plot's lines are cut to the view plus this margin (in device pixels) before they
// are rasterised, so that a pen wider than one pixel still shows its edge at the border and
// far-away coordinates cost nothing.
inline constexpr double ScreenClipMargin = 8.0;

// The screen plot at `scale` user units per data unit, rounded to whole user units (and whole
// device pixels with PlotRounding::WholeUnitsAndPixels), cut to the view plus ScreenClipMargin.
PlotMapping ScreenMapping(std::int16_t scale, const ScreenView& view, PlotRounding rounding);

// The part of the segment that lies within the rectangle, or nothing.
std::optional<QLineF> ClipLine(const QLineF& line, const QRectF& rect);

}  // namespace vandrix
