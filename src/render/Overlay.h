// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"
#include "model/Section.h"
#include "render/PlotMapping.h"

#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QIODevice;
class QPainter;

namespace vandrix {

// One section of an overlay: the name its legend row gives it and its curves.
struct OverlaySection {
    QString name;
    SectionCurves curves;
};

// An overlay draws at most this many sections, one to a colour (OverlayColors); the ones after
// them are left out.
inline constexpr int MaxOverlaySections = 8;

// The overlay's grid is widened by whole steps of 0.1 to take in every section, but not beyond
// this many steps from the chord line: what lies further off is cut at the picture's edge.
inline constexpr int MaxOverlayRow = 10;

// Where the overlay's parts lie, in logical pixels. The picture is the screen plot's frame and
// scale (ScreenPlotFrame over ScreenPlotSize at the screen scale), with its grid's rows of 0.1
// running from bottomRow / 10 to topRow / 10 (the screen plot's -1 and 3, widened to take in
// every point of every section) and the picture grown above and below by the height the added
// steps take, rounded up to whole pixels; and grown to the right where the legend would not
// fit in the band right of the grid.
struct OverlayLayout {
    int bottomRow = -1;
    int topRow = 3;
    int above = 0;  // pixels added above the screen plot's picture
    QSize size = ScreenPlotSize;
    QPointF legend;     // the legend's top-left corner, on whole pixels
    QStringList names;  // the legend's rows as shown, a long name cut short
};

// The layout of the first MaxOverlaySections sections at `scale` picture units per data unit.
// Needs a QGuiApplication (the legend's font).
OverlayLayout LayOutOverlay(const std::vector<OverlaySection>& sections, std::int16_t scale);

// Paints the overlay of the first MaxOverlaySections sections, laid out by LayOutOverlay, on a
// painter whose user units are the picture's logical pixels from its top-left corner, with
// `ratio` device pixels to a logical pixel: the white ground, the grid in light grey 1 pixel
// wide, each section's curves 2 pixels wide in its colour (OverlayColors) in the order given,
// a later one over an earlier, the segments in the screen plot's order; then the legend, a row
// for each section in the same order, a stroke of its colour and its name, black. Lines as
// PaintScreenPlot draws them: rounded as `rounding` says (PlotRounding::WholeUnitsAndPixels on
// raster devices, WholeUnits on vector ones), without antialiasing; without widening, each line
// lies where PaintScreenPlot puts it.
void PaintOverlay(QPainter& painter, const std::vector<OverlaySection>& sections,
                  std::int16_t scale, double ratio, PlotRounding rounding);

// The kinds of file an overlay is written as.
enum class PictureFormat { Png, Svg, Pdf };

// The format a file name asks for by its extension (.png, .svg or .pdf, in any case).
Result<PictureFormat> PictureFormatOf(const QString& path);

// Writes the overlay to a device open for writing: as PNG (32-bit colour, one pixel a logical
// pixel), SVG (vectors and text, one user unit a pixel) or PDF (one page of the picture's size,
// a pixel to a point, vectors and text). Errors of the device itself are the caller's to read.
Status WriteOverlay(QIODevice& device, PictureFormat format,
                    const std::vector<OverlaySection>& sections, std::int16_t scale);

}  // namespace vandrix
