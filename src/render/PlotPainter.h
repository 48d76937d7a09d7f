// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PlotGeometry.h"
#include "PlotStyle.h"

#include <QColor>
#include <QLineF>
#include <QPen>
#include <QSize>

#include <optional>

class QPainter;

namespace vandrix {

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

// Draws lines in user units on a painter whose drawing area is `size` logical pixels, with
// `ratio` device pixels to a logical pixel. Ends are rounded to whole device pixels and pen
// widths are in logical pixels, so a higher ratio keeps the frame and sharpens the lines.
class PlotPainter {
public:
    PlotPainter(QPainter& painter, QSize size, const UserFrame& frame, double ratio = 1.0);
    Q_DISABLE_COPY_MOVE(PlotPainter)
    ~PlotPainter();

    // The logical pixel that holds a point in user units (may lie outside the area).
    QPointF toPixel(double x, double y) const;
    void fill(const QColor& color);
    void setDrawWidth(int pixels);
    // Raster devices put line ends on whole device pixels (the default); vector devices keep
    // the exact positions.
    void setWholePixels(bool whole) { wholePixels_ = whole; }
    void line(double x1, double y1, double x2, double y2, const QColor& color);

private:
    QPainter& painter_;
    QSize size_;
    UserFrame frame_;
    double ratio_;
    QPen pen_;
    bool penChanged_ = false;
    bool wholePixels_ = true;
};

// The whole picture: the white background, the grid in blue 1 pixel wide and the curves in
// black 2 pixels wide, in the plot's order.
void DrawScreenPlot(PlotPainter& painter, const ScreenPlot& plot);

// The part of the segment (x1,y1)-(x2,y2) that lies within the rectangle, or nothing.
std::optional<QLineF> ClipLine(const QLineF& line, const QRectF& rect);

}  // namespace vandrix
