// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QPointF>
#include <QString>

#include <vector>

namespace vandrix {

// What a drawing spans, in millimetres with y up.
struct SvgExtent {
    double left = 0.0;
    double low = 0.0;
    double right = 0.0;
    double high = 0.0;
};

// An SVG drawing in millimetres, written as text: one user unit a millimetre, the drawing's y up
// (the file's y down), numbers with four decimals and no trailing zeros. `extent` is drawn with
// `margin` around it.
class SvgDrawing {
public:
    SvgDrawing(const SvgExtent& extent, double margin, qsizetype expectedBytes = 1024);

    // A group with an id and its presentation attributes written as given.
    void beginGroup(const char* id, const QByteArray& attributes);
    void endGroup();
    // A polyline through the points, closed back to the first when `closed`.
    void path(const std::vector<QPointF>& points, bool closed, double shift = 0.0);
    void text(QPointF at, const QString& text);
    // A number as the drawing writes it.
    static QByteArray numberText(double value);

    QByteArray finish();

private:
    void point(double x, double y);

    QByteArray out_;
    double originX_ = 0.0;
    double originY_ = 0.0;
};

}  // namespace vandrix
