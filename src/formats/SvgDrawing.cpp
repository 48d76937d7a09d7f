// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/SvgDrawing.h"

#include <array>
#include <charconv>

namespace vandrix {

namespace {

// Four decimals (0.1 micrometre), trailing zeros dropped.
void appendNumber(QByteArray& out, double value) {
    std::array<char, 64> buffer{};
    auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 4);
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
    if (end - buffer.data() == 2 && buffer[0] == '-' && buffer[1] == '0') {
        out += '0';
        return;
    }
    out.append(buffer.data(), end - buffer.data());
}

}  // namespace

SvgDrawing::SvgDrawing(const SvgExtent& extent, double margin, qsizetype expectedBytes) {
    // Drawing x, y (mm, y up) lands at (x - originX, originY - y).
    originX_ = extent.left - margin;
    originY_ = extent.high + margin;
    const double width = extent.right - extent.left + 2.0 * margin;
    const double height = extent.high - extent.low + 2.0 * margin;
    out_.reserve(expectedBytes);
    out_ +=
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "version=\"1.1\" width=\"";
    appendNumber(out_, width);
    out_ += "mm\" height=\"";
    appendNumber(out_, height);
    out_ += "mm\" viewBox=\"0 0 ";
    appendNumber(out_, width);
    out_ += ' ';
    appendNumber(out_, height);
    out_ += "\">\n";
}

void SvgDrawing::beginGroup(const char* id, const QByteArray& attributes) {
    out_ += "<g id=\"";
    out_ += id;
    out_ += "\" ";
    out_ += attributes;
    out_ += ">\n";
}

void SvgDrawing::endGroup() {
    out_ += "</g>\n";
}

void SvgDrawing::point(double x, double y) {
    appendNumber(out_, x - originX_);
    out_ += ',';
    appendNumber(out_, originY_ - y);
}

void SvgDrawing::path(const std::vector<QPointF>& points, bool closed, double shift) {
    out_ += "<path d=\"M";
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (k > 0) {
            out_ += k == 1 ? " L" : " ";
        }
        point(points[k].x() + shift, points[k].y());
    }
    out_ += closed ? " Z\"/>\n" : "\"/>\n";
}

void SvgDrawing::text(QPointF at, const QString& text) {
    out_ += "<text x=\"";
    appendNumber(out_, at.x() - originX_);
    out_ += "\" y=\"";
    appendNumber(out_, originY_ - at.y());
    out_ += "\">";
    out_ += text.toHtmlEscaped().toUtf8();
    out_ += "</text>\n";
}

QByteArray SvgDrawing::numberText(double value) {
    QByteArray text;
    appendNumber(text, value);
    return text;
}

QByteArray SvgDrawing::finish() {
    out_ += "</svg>\n";
    return std::move(out_);
}

}  // namespace vandrix
