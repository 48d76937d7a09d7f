// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/FoamPreviewSvg.h"

#include "formats/SvgDrawing.h"

#include <algorithm>
#include <array>
#include <limits>

namespace vandrix {

namespace {

struct Line {
    const char* id;
    const char* colour;
    bool dashed;
    const QString* label;
};

std::vector<QPointF> towerPath(const FoamCut& cut, bool left) {
    std::vector<QPointF> points{left ? cut.start.left : cut.start.right};
    points.reserve(cut.moves.size() + 1);
    for (const WireMove& move : cut.moves) {
        points.push_back(left ? move.to.left : move.to.right);
    }
    return points;
}

// What the lines span, the machine's zero included.
QRectF extentOf(const std::array<const std::vector<QPointF>*, 6>& lines) {
    double left = 0.0;
    double right = 0.0;
    double low = 0.0;
    double high = 0.0;
    for (const std::vector<QPointF>* line : lines) {
        for (const QPointF& p : *line) {
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    }
    return {left, low, right - left, high - low};
}

}  // namespace

QByteArray FoamPreviewSvg(const FoamCut& cut, const FoamPreviewText& text) {
    const std::vector<QPointF> leftTower = towerPath(cut, true);
    const std::vector<QPointF> rightTower = towerPath(cut, false);
    const std::array<const std::vector<QPointF>*, 6> paths = {
        &cut.rootOutline, &cut.tipOutline, &cut.rootPath, &cut.tipPath, &leftTower, &rightTower};
    const std::array<Line, 6> lines = {{
        {"root-outline", "#000000", false, &text.rootOutline},
        {"tip-outline", "#1f4fd1", false, &text.tipOutline},
        {"root-path", "#7f7f7f", true, &text.rootPath},
        {"tip-path", "#5fa0ff", true, &text.tipPath},
        {"left-tower", "#d62728", false, &text.leftTower},
        {"right-tower", "#2ca02c", false, &text.rightTower},
    }};
    const QRectF drawn = extentOf(paths);
    // Lines and letters in proportion to the drawing, so that a large one is still legible.
    const double size = std::max(drawn.width(), drawn.height());
    const double stroke = std::clamp(size / 800.0, 0.1, 1.0);
    const double letters = std::clamp(size / 50.0, 3.0, 15.0);
    const double row = 1.5 * letters;
    // The title above the drawing, the legend below it.
    const double titleAt = drawn.bottom() + row;
    const double legendTop = drawn.top() - row;
    const QRectF extent(drawn.left(), legendTop - row * static_cast<double>(lines.size()),
                        std::max(drawn.width(), 40.0 * letters),
                        titleAt + letters - (legendTop - row * static_cast<double>(lines.size())));
    SvgDrawing svg(extent, 2.0 * letters, static_cast<qsizetype>(cut.moves.size()) * 60 + 60000);
    const QByteArray width = SvgDrawing::numberText(stroke);
    const QByteArray dash = SvgDrawing::numberText(4.0 * stroke);

    svg.beginGroup("machine-zero",
                   "fill=\"none\" stroke=\"#b0b0b0\" stroke-width=\"" + width + '"');
    svg.path({{drawn.left(), 0.0}, {drawn.right(), 0.0}}, false);
    svg.path({{0.0, drawn.top()}, {0.0, drawn.bottom()}}, false);
    svg.endGroup();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QByteArray attributes = QByteArray("fill=\"none\" stroke=\"") + lines[i].colour +
                                "\" stroke-width=\"" + width + "\" stroke-linejoin=\"round\"";
        if (lines[i].dashed) {
            attributes += " stroke-dasharray=\"" + dash + ' ' + dash + '"';
        }
        svg.beginGroup(lines[i].id, attributes);
        svg.path(*paths[i], i < 4);
        svg.endGroup();
    }
    // The lead-in start on each tower: where the operator puts the wire.
    svg.beginGroup("start", "fill=\"none\" stroke=\"#000000\" stroke-width=\"" + width + '"');
    for (const QPointF& at : {cut.start.left, cut.start.right}) {
        const double r = letters / 3.0;
        svg.path({at + QPointF(-r, -r), at + QPointF(r, r)}, false);
        svg.path({at + QPointF(-r, r), at + QPointF(r, -r)}, false);
    }
    svg.endGroup();

    const QByteArray font = "font-family=\"DejaVu Sans, sans-serif\" font-size=\"" +
                            SvgDrawing::numberText(letters) + '"';
    svg.beginGroup("title", "fill=\"#000000\" " + font);
    svg.text({drawn.left(), titleAt}, text.title);
    svg.text({0.0, -letters}, QStringLiteral("0"));
    svg.endGroup();
    svg.beginGroup("legend", "fill=\"#000000\" " + font);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double y = legendTop - row * static_cast<double>(i);
        svg.text({drawn.left() + 5.0 * letters, y - letters / 3.0}, *lines[i].label);
    }
    svg.endGroup();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double y = legendTop - row * static_cast<double>(i);
        QByteArray attributes = QByteArray("fill=\"none\" stroke=\"") + lines[i].colour +
                                "\" stroke-width=\"" + SvgDrawing::numberText(3.0 * stroke) + '"';
        const QByteArray id = QByteArray("legend-") + lines[i].id;
        svg.beginGroup(id.constData(), attributes);
        svg.path({{drawn.left(), y}, {drawn.left() + 4.0 * letters, y}}, false);
        svg.endGroup();
    }
    return svg.finish();
}

}  // namespace vandrix
