// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PlotMapping.h"
#include "model/Section.h"

#include <QColor>
#include <QPen>
#include <QPointF>
#include <QRectF>

#include <cstdint>
#include <vector>

class QPainter;

namespace vandrix {

// Draws lines and closed outlines given in data units where a mapping puts them. Every surface
// draws its plot or outline this way: the picture area, PNG and SVG, the printed sheet and the
// template pages. It draws in the device's own pixels, with the painter's transform set aside
// for as long as it lives, and pens in device pixels; except when the painter's own transform
// already is the mapping's step from page units to the device and the mapping rounds nothing
// to whole units (a template page, painted in millimetres): then it draws in page units under
// that transform, pens in page units, so that a PDF keeps the page's millimetres.
class PlotPainter {
public:
    PlotPainter(QPainter& painter, const PlotMapping& mapping);
    Q_DISABLE_COPY_MOVE(PlotPainter)
    ~PlotPainter();

    const PlotMapping& mapping() const { return mapping_; }
    void setPen(const QPen& pen);
    // Fills a rectangle given in device units.
    void fill(const QRectF& area, const QColor& color);
    // The part of the line the mapping keeps; on whole device pixels when it rounds to them.
    void line(const DataLine& line);
    // A closed ring of points; left out whole when a point cannot be placed.
    void polygon(const std::vector<QPointF>& ring);

private:
    std::optional<QPointF> place(QPointF point) const;

    QPainter& painter_;
    PlotMapping mapping_;
    bool inPageUnits_ = false;
};

// The painter's user units to the device's own pixels: its transform and the device's pixel
// ratio.
QTransform UserToDevicePixels(const QPainter& painter);

// The plot, in the order every surface draws it: each grid line with `gridPen`, then the curve
// segments with `curvePen`, one of curve 0 then one of curve 1 for each step from point b to
// b + 1.
void PaintPlot(PlotPainter& painter, const SectionCurves& curves, const QPen& gridPen,
               const QPen& curvePen);

// The screen plot over the whole view at `scale` user units per data unit: the white ground,
// the grid in blue 1 logical pixel wide and the curves in black 2 logical pixels wide, rounded
// as `rounding` says (PlotRounding::WholeUnitsAndPixels on raster devices, WholeUnits on vector
// ones). Antialiasing is off: the lines are the same on every raster device.
void PaintScreenPlot(QPainter& painter, const ScreenView& view, std::int16_t scale,
                     const SectionCurves& curves, PlotRounding rounding);

}  // namespace vandrix
