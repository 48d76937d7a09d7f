// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/TemplateSvg.h"

#include "formats/SvgDrawing.h"

#include <algorithm>
#include <limits>

namespace vandrix {

namespace {

// What the drawing spans (mm, y up): every outline and chord line, and the labels above them.
SvgExtent extentOf(const std::vector<TemplateItem>& items,
                   const std::vector<SideBySidePlace>& places) {
    if (items.empty()) {
        return {};
    }
    double left = std::numeric_limits<double>::infinity();
    double right = -left;
    double low = left;
    double high = -left;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QRectF& box = places[i].bounds;
        const double shift = places[i].shift;
        left = std::min({left, box.left() + shift, shift});
        right = std::max({right, box.right() + shift, shift + items[i].outline.chord});
        // The chord line lies at y = 0, which an inset outline may no longer reach.
        low = std::min({low, box.top(), 0.0});
        high = std::max(high, box.bottom() + LabelLift + LabelHeight);
    }
    return {left, low, right, high};
}

}  // namespace

QByteArray TemplateSvg(const std::vector<TemplateItem>& items) {
    const std::vector<SideBySidePlace> places = SideBySide(items);
    SvgDrawing svg(extentOf(items, places), SvgMargin,
                   static_cast<qsizetype>(items.size()) * 12000 + 1024);
    svg.beginGroup("outline",
                   R"(fill="none" stroke="#000000" stroke-width="0.1" stroke-linejoin="round")");
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (const OutlineRing& ring : items[i].outline.rings) {
            svg.path(ring, true, places[i].shift);
        }
    }
    svg.endGroup();
    svg.beginGroup("chord", R"(fill="none" stroke="#0000ff" stroke-width="0.1")");
    for (std::size_t i = 0; i < items.size(); ++i) {
        svg.path({{places[i].shift, 0.0}, {places[i].shift + items[i].outline.chord, 0.0}}, false);
    }
    svg.endGroup();
    svg.beginGroup("label", R"(fill="#ff0000" font-family="DejaVu Sans, sans-serif" font-size=")" +
                                SvgDrawing::numberText(LabelHeight) + '"');
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QRectF& box = places[i].bounds;
        svg.text({box.left() + places[i].shift, box.bottom() + LabelLift}, items[i].label);
    }
    svg.endGroup();
    return svg.finish();
}

}  // namespace vandrix
