// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/TemplateSvg.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace vandrix {

namespace {

constexpr double LabelSize = 3.5;
constexpr double LabelLift = 3.0;

// Four decimals (0.1 micrometre), trailing zeros dropped.
void appendNumber(QByteArray& out, double value) {
    char buffer[64];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    if (error != std::errc()) {
        out += '0';
        return;
    }
    while (end[-1] == '0') {
        --end;
    }
    if (end[-1] == '.') {
        --end;
    }
    if (end - buffer == 2 && buffer[0] == '-' && buffer[1] == '0') {
        out += '0';
        return;
    }
    out.append(buffer, end - buffer);
}

QByteArray escaped(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}

}  // namespace

QByteArray TemplateSvg(const std::vector<TemplateItem>& items) {
    std::vector<RibOutline> outlines;
    outlines.reserve(items.size());
    for (const TemplateItem& item : items) {
        outlines.push_back(item.outline);
    }
    const std::vector<double> shifts = SideBySide(outlines);
    double left = std::numeric_limits<double>::infinity();
    double right = -left;
    double low = left;
    double high = -left;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QRectF box = outlines[i].bounds();
        left = std::min({left, box.left() + shifts[i], shifts[i]});
        right = std::max({right, box.right() + shifts[i], shifts[i] + outlines[i].chord});
        low = std::min(low, box.top());
        high = std::max(high, box.bottom() + LabelLift + LabelSize);
    }
    if (items.empty()) {
        left = right = low = high = 0.0;
    }
    // Drawing x, y (mm, y up) lands at (x - originX, originY - y).
    const double originX = left - SvgMargin;
    const double originY = high + SvgMargin;
    const double width = right - left + 2.0 * SvgMargin;
    const double height = high - low + 2.0 * SvgMargin;
    QByteArray out;
    out.reserve(static_cast<qsizetype>(items.size()) * 12000 + 1024);
    const auto point = [&](double x, double y) {
        appendNumber(out, x - originX);
        out += ',';
        appendNumber(out, originY - y);
    };

    out +=
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "version=\"1.1\" width=\"";
    appendNumber(out, width);
    out += "mm\" height=\"";
    appendNumber(out, height);
    out += "mm\" viewBox=\"0 0 ";
    appendNumber(out, width);
    out += ' ';
    appendNumber(out, height);
    out += "\">\n";

    out +=
        "<g id=\"outline\" fill=\"none\" stroke=\"#000000\" stroke-width=\"0.1\" "
        "stroke-linejoin=\"round\">\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (const OutlineRing& ring : items[i].outline.rings) {
            out += "<path d=\"M";
            for (std::size_t k = 0; k < ring.size(); ++k) {
                if (k > 0) {
                    out += k == 1 ? " L" : " ";
                }
                point(ring[k].x() + shifts[i], ring[k].y());
            }
            out += " Z\"/>\n";
        }
    }
    out += "</g>\n<g id=\"chord\" fill=\"none\" stroke=\"#0000ff\" stroke-width=\"0.1\">\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += "<path d=\"M";
        point(shifts[i], 0.0);
        out += " L";
        point(shifts[i] + items[i].outline.chord, 0.0);
        out += "\"/>\n";
    }
    out +=
        "</g>\n<g id=\"label\" fill=\"#ff0000\" font-family=\"DejaVu Sans, sans-serif\" "
        "font-size=\"";
    appendNumber(out, LabelSize);
    out += "\">\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QRectF box = outlines[i].bounds();
        out += "<text x=\"";
        appendNumber(out, box.left() + shifts[i] - originX);
        out += "\" y=\"";
        appendNumber(out, originY - (box.bottom() + LabelLift));
        out += "\">";
        out += escaped(items[i].label);
        out += "</text>\n";
    }
    out += "</g>\n</svg>\n";
    return out;
}

}  // namespace vandrix
