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
SvgExtent extentOf(const std::array<const std::vector<QPointF>*, 6>& lines) {
    SvgExtent extent;
    for (const std::vector<QPointF>* line : lines) {
        for (const QPointF& p : *line) {
            extent.left = std::min(extent.left, p.x());
            extent.right = std::max(extent.right, p.x());
            extent.low = std::min(extent.low, p.y());
            extent.high = std::max(extent.high, p.y());
        }
    }
    return extent;
}

// The machine's frame: h and v from the machine's zero.
void machineFrame(SvgDrawing& svg, const SvgExtent& drawn, double letters, const QByteArray& width,
                  const QByteArray& font) {
    svg.beginGroup("machine-zero", R"(fill="none" stroke="#b0b0b0" stroke-width=")" + width + '"');
    svg.path({{drawn.left, 0.0}, {drawn.right, 0.0}}, false);
    svg.path({{0.0, drawn.low}, {0.0, drawn.high}}, false);
    svg.endGroup();
    svg.beginGroup("machine-axes", R"(fill="#808080" )" + font);
    svg.text({-letters, -letters}, QStringLiteral("0"));
    svg.text({drawn.right - letters, -letters}, QStringLiteral("h"));
    svg.text({-letters, drawn.high - letters}, QStringLiteral("v"));
    svg.endGroup();
}

// Where the legend goes and how it is drawn.
struct LegendStyle {
    double left;
    double letters;
    double stroke;
    QByteArray font;
};

// A row for each line, named and drawn in its colour, then the lead-in start's row.
template <typename RowAt>
void legend(SvgDrawing& svg, const std::array<Line, 6>& lines, const LegendStyle& style,
            const RowAt& rowAt) {
    const double left = style.left;
    const double letters = style.letters;
    svg.beginGroup("legend", R"(fill="#000000" )" + style.font);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        svg.text({left + 5.0 * letters, rowAt(i) - letters / 3.0}, *lines[i].label);
    }
    svg.text({left + 5.0 * letters, rowAt(lines.size()) - letters / 3.0},
             QStringLiteral("the lead-in start: put the wire there first"));
    svg.endGroup();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QByteArray attributes = QByteArray(R"(fill="none" stroke=")") + lines[i].colour +
                                      R"(" stroke-width=")" +
                                      SvgDrawing::numberText(3.0 * style.stroke) + '"';
        const QByteArray id = QByteArray("legend-") + lines[i].id;
        svg.beginGroup(id.constData(), attributes);
        svg.path({{left, rowAt(i)}, {left + 4.0 * letters, rowAt(i)}}, false);
        svg.endGroup();
    }
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
    const SvgExtent drawn = extentOf(paths);
    // Lines and letters in proportion to the drawing, so that a large one is still legible.
    const double size = std::max(drawn.right - drawn.left, drawn.high - drawn.low);
    const double stroke = std::clamp(size / 800.0, 0.1, 1.0);
    const double letters = std::clamp(size / 50.0, 3.0, 15.0);
    const double row = 1.5 * letters;
    // The title above the drawing; below it the legend, a row for each line and one for the
    // lead-in start.
    const double titleAt = drawn.high + row;
    const double legendTop = drawn.low - 1.5 * row;
    const auto rowAt = [&](std::size_t i) { return legendTop - row * static_cast<double>(i); };
    const double bottom = rowAt(lines.size()) - row;
    const SvgExtent extent{drawn.left, bottom, std::max(drawn.right, drawn.left + 40.0 * letters),
                           titleAt + letters};
    SvgDrawing svg(extent, 2.0 * letters, static_cast<qsizetype>(cut.moves.size()) * 60 + 60000);
    const QByteArray width = SvgDrawing::numberText(stroke);
    const QByteArray dash = SvgDrawing::numberText(4.0 * stroke);
    const QByteArray font = R"(font-family="DejaVu Sans, sans-serif" font-size=")" +
                            SvgDrawing::numberText(letters) + '"';

    machineFrame(svg, drawn, letters, width, font);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QByteArray attributes = QByteArray(R"(fill="none" stroke=")") + lines[i].colour +
                                R"(" stroke-width=")" + width + R"(" stroke-linejoin="round")";
        if (lines[i].dashed) {
            attributes += R"( stroke-dasharray=")" + dash + ' ' + dash + '"';
        }
        svg.beginGroup(lines[i].id, attributes);
        svg.path(*paths[i], i < 4);
        svg.endGroup();
    }
    // The lead-in start on each tower, where the operator puts the wire, and in the legend.
    const auto cross = [&](QPointF at) {
        const double r = letters / 3.0;
        svg.path({at + QPointF(-r, -r), at + QPointF(r, r)}, false);
        svg.path({at + QPointF(-r, r), at + QPointF(r, -r)}, false);
    };
    svg.beginGroup("start", R"(fill="none" stroke="#000000" stroke-width=")" + width + '"');
    cross(cut.start.left);
    cross(cut.start.right);
    cross({drawn.left + 2.0 * letters, rowAt(lines.size())});
    svg.endGroup();

    svg.beginGroup("title", R"(fill="#000000" )" + font);
    svg.text({drawn.left, titleAt}, text.title);
    svg.endGroup();
    legend(svg, lines, {drawn.left, letters, stroke, font}, rowAt);
    return svg.finish();
}

}  // namespace vandrix
