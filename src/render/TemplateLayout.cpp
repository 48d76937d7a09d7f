// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/TemplateLayout.h"

#include "render/Paper.h"

#include <cmath>

namespace vandrix {

namespace {

// Sizes a hair over the area still fit: they come from sums of rounded numbers.
constexpr double Slack = 1e-9;

void tile(std::size_t item, QSizeF size, bool landscape, std::vector<TemplatePage>& pages) {
    const QRectF area = DrawingArea(landscape);
    const int columns = TileCount(size.width(), area.width());
    const int rows = TileCount(size.height(), area.height());
    const double stepX = area.width() - TileOverlap;
    const double stepY = area.height() - TileOverlap;
    // Every tile's edges in the item's box; each page shows those within its window, so that
    // the pages on both sides of an overlap carry the same two crosses.
    std::vector<double> edgesX;
    std::vector<double> edgesY;
    for (int c = 0; c < columns; ++c) {
        edgesX.push_back(c * stepX);
        edgesX.push_back(c * stepX + area.width());
    }
    for (int r = 0; r < rows; ++r) {
        edgesY.push_back(r * stepY);
        edgesY.push_back(r * stepY + area.height());
    }
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            TemplatePage page;
            page.landscape = landscape;
            page.row = r + 1;
            page.column = c + 1;
            page.rows = rows;
            page.columns = columns;
            const QPointF window(c * stepX, r * stepY);
            page.placements.push_back({item, area.topLeft() - window});
            for (double x : edgesX) {
                for (double y : edgesY) {
                    const QPointF onPage = area.topLeft() + QPointF(x, y) - window;
                    if (onPage.x() >= area.left() - Slack && onPage.x() <= area.right() + Slack &&
                        onPage.y() >= area.top() - Slack && onPage.y() <= area.bottom() + Slack) {
                        page.crosses.push_back(onPage);
                    }
                }
            }
            pages.push_back(std::move(page));
        }
    }
}

}  // namespace

ItemBox BoxOf(const TemplateItem& item) {
    const QRectF bounds = item.outline.bounds();
    // bounds() is y up: its bottom() is the highest point.
    return {{bounds.width() + 2.0 * ItemPadding, bounds.height() + 2.0 * ItemPadding + LabelBand},
            {ItemPadding - bounds.left(), LabelBand + ItemPadding + bounds.bottom()},
            {ItemPadding, LabelBand - 2.0}};
}

QSizeF PaperSize(bool landscape) {
    return landscape ? QSizeF(A4Height, A4Width) : QSizeF(A4Width, A4Height);
}

QRectF DrawingArea(bool landscape) {
    const QSizeF paper = PaperSize(landscape);
    return {PageMargin + CheckBarBand, PageMargin, paper.width() - 2.0 * PageMargin - CheckBarBand,
            paper.height() - 2.0 * PageMargin - FooterBand};
}

int TileCount(double size, double area) {
    if (size <= area + Slack) {
        return 1;
    }
    return static_cast<int>(std::ceil((size - TileOverlap) / (area - TileOverlap) - Slack));
}

std::vector<TemplatePage> LayOutPages(const std::vector<QSizeF>& items, bool landscape) {
    const QRectF area = DrawingArea(landscape);
    std::vector<TemplatePage> pages;
    std::optional<TemplatePage> open;
    double x = 0.0;
    double y = 0.0;
    double shelf = 0.0;
    const auto close = [&] {
        if (open) {
            pages.push_back(std::move(*open));
            open.reset();
        }
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QSizeF size = items[i];
        if (size.width() > area.width() + Slack || size.height() > area.height() + Slack) {
            close();
            tile(i, size, landscape, pages);
            continue;
        }
        if (open && x > 0.0 && x + size.width() > area.width() + Slack) {
            x = 0.0;
            y += shelf + ItemGap;
            shelf = 0.0;
        }
        if (open && y + size.height() > area.height() + Slack) {
            close();
        }
        if (!open) {
            open.emplace();
            open->landscape = landscape;
            x = 0.0;
            y = 0.0;
            shelf = 0.0;
        }
        open->placements.push_back({i, area.topLeft() + QPointF(x, y)});
        x += size.width() + ItemGap;
        shelf = std::max(shelf, size.height());
    }
    close();
    return pages;
}

std::vector<TemplatePage> LayOutPages(const std::vector<QSizeF>& items) {
    std::vector<TemplatePage> portrait = LayOutPages(items, false);
    std::vector<TemplatePage> landscape = LayOutPages(items, true);
    return landscape.size() < portrait.size() ? landscape : portrait;
}

}  // namespace vandrix
