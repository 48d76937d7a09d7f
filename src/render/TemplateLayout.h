// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/TemplateItem.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <vector>

namespace vandrix {

// Page furniture of a template, in millimetres.
inline constexpr double PageMargin = 10.0;
inline constexpr double CheckBarBand = 14.0;  // left of the drawing area: the y check bar
inline constexpr double FooterBand = 24.0;    // below it: the x check bar and the text lines
inline constexpr double TileOverlap = 10.0;
inline constexpr double CheckBarLength = 100.0;
// Above each outline, the band its label is written in, and the space around the outline.
inline constexpr double LabelBand = 7.0;
inline constexpr double ItemPadding = 1.0;

// An item's box on a page: y down, the box's top-left at (0, 0).
struct ItemBox {
    QSizeF size;
    // Where the outline's origin lies in the box: a point (x, y) of the outline (mm, y up) lies
    // at origin + (x, -y).
    QPointF origin;
    // The label's baseline start in the box.
    QPointF label;
};
ItemBox BoxOf(const TemplateItem& item);

QSizeF PaperSize(bool landscape);
// Where outlines are drawn on a page (mm from the paper's top-left, y down).
QRectF DrawingArea(bool landscape);

// One item on one page: the box's top-left lies at `offset` on the paper.
struct PagePlacement {
    std::size_t item = 0;
    QPointF offset;
};

// A page of the template. Tiled pages show a window of one item that does not fit a page:
// `row`/`column` of `rows` x `columns` (all 1-based; 0 on pages that are not tiled), with
// registration crosses at every tile corner that lies on the page.
struct TemplatePage {
    bool landscape = false;
    std::vector<PagePlacement> placements;
    int row = 0;
    int column = 0;
    int rows = 0;
    int columns = 0;
    std::vector<QPointF> crosses;
};

// The tiles an item of `size` needs along one side of length `area`, overlapping by TileOverlap.
int TileCount(double size, double area);

// The items in order, shelf by shelf, ItemGap apart; an item larger than the drawing area is
// tiled over pages of its own. Portrait or landscape, whichever gives fewer pages.
std::vector<TemplatePage> LayOutPages(const std::vector<QSizeF>& items);
std::vector<TemplatePage> LayOutPages(const std::vector<QSizeF>& items, bool landscape);

}  // namespace vandrix
