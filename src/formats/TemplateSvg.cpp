// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/TemplateSvg.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace vandrix {

namespace {

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
    const std::vector<SideBySidePlace> places = SideBySide(items);
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
                point(ring[k].x() + places[i].shift, ring[k].y());
            }
            out += " Z\"/>\n";
        }
    }
    out += "</g>\n<g id=\"chord\" fill=\"none\" stroke=\"#0000ff\" stroke-width=\"0.1\">\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += "<path d=\"M";
        point(places[i].shift, 0.0);
        out += " L";
        point(places[i].shift + items[i].outline.chord, 0.0);
        out += "\"/>\n";
    }
    out +=
        "</g>\n<g id=\"label\" fill=\"#ff0000\" font-family=\"DejaVu Sans, sans-serif\" "
        "font-size=\"";
    appendNumber(out, LabelHeight);
    out += "\">\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QRectF& box = places[i].bounds;
        out += "<text x=\"";
        appendNumber(out, box.left() + places[i].shift - originX);
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
