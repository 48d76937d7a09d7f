#pragma once

#include "render/PrintSurface.h"

#include <QRegularExpression>
#include <QStringList>

namespace vandrix {

// Records every print operation as a line of text: "mm", "A4", "font NAME", "size 18",
// "color 0000ff", "x 10", "y 10", "print TEXT", "width 2", "line X1 Y1 X2 Y2 RRGGBB", "end".
class RecordingPrintSurface : public PrintSurface {
public:
    QStringList ops;
    QString endError;  // what endDoc reports

    static QString number(float value) { return QString::number(static_cast<double>(value)); }
    static QString color(Rgb rgb) { return QStringLiteral("%1").arg(rgb, 6, 16, QLatin1Char('0')); }
    static QString lineOp(float x1, float y1, float x2, float y2, Rgb rgb) {
        return QStringLiteral("line %1 %2 %3 %4 %5")
            .arg(number(x1), number(y1), number(x2), number(y2), color(rgb));
    }

    void setScaleModeMillimetres() override { ops << QStringLiteral("mm"); }
    void setPaperA4() override { ops << QStringLiteral("A4"); }
    void setFontName(const QString& name) override { ops << QStringLiteral("font ") + name; }
    void setFontSize(double points) override {
        ops << QStringLiteral("size ") + QString::number(points);
    }
    void setForeColor(Rgb rgb) override { ops << QStringLiteral("color ") + color(rgb); }
    void setCurrentX(float x) override { ops << QStringLiteral("x ") + number(x); }
    void setCurrentY(float y) override { ops << QStringLiteral("y ") + number(y); }
    void print(const QString& text) override { ops << QStringLiteral("print ") + text; }
    void setDrawWidth(int pixels) override {
        ops << QStringLiteral("width ") + QString::number(pixels);
    }
    void line(float x1, float y1, float x2, float y2, Rgb rgb) override {
        ops << lineOp(x1, y1, x2, y2, rgb);
    }
    QString endDoc() override {
        ops << QStringLiteral("end");
        return endError;
    }

    QStringList linesOnly() const {
        return ops.filter(QRegularExpression(QStringLiteral("^line ")));
    }
};

}  // namespace vandrix
