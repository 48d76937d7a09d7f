#include "PrintSheet.h"

#include <cmath>

namespace vandrix {

namespace {

constexpr double OriginX = 10.0;
constexpr double OriginY = 75.0;
constexpr float TitleX = 10.0F;
constexpr float TitleY = 10.0F;
constexpr double TitlePoints = 18.0;
constexpr double TablePoints = 9.0;
constexpr float CaptionX = 10.0F;
constexpr float ValueX = 50.0F;
constexpr float TableTop = 100.0F;
constexpr float RowStep = 5.0F;
constexpr double GridBottom = -0.1;
constexpr double GridTop = 0.3;

bool fits(double value) {
    return std::isfinite(static_cast<float>(value));
}

}  // namespace

QString PrintSheet(PrintSurface& surface, const SheetContent& sheet) {
    const double p = sheet.scale;
    surface.setScaleModeMillimetres();
    surface.setPaperA4();
    surface.setFontName(sheet.fontName);
    surface.setFontSize(TitlePoints);
    surface.setForeColor(RgbBlue);
    surface.setCurrentX(TitleX);
    surface.setCurrentY(TitleY);
    surface.print(sheet.title);

    surface.setFontSize(TablePoints);
    surface.setForeColor(RgbBlack);
    for (int row = 0; row < SheetRows; ++row) {
        surface.setCurrentX(CaptionX);
        surface.setCurrentY(TableTop + RowStep * static_cast<float>(row));
        surface.print(sheet.captions.at(static_cast<std::size_t>(row)));
    }
    for (int row = 0; row < SheetRows; ++row) {
        surface.setCurrentX(ValueX);
        surface.setCurrentY(TableTop + RowStep * static_cast<float>(row));
        surface.print(QStringLiteral(": ") + sheet.values.at(static_cast<std::size_t>(row)));
    }

    surface.setDrawWidth(1);
    for (int a = 0; a <= 10; ++a) {
        const double x = (a / 10.0) * p + OriginX;
        const double bottom = p * -GridBottom + OriginY;
        const double top = OriginY - p * GridTop;
        if (fits(x) && fits(bottom) && fits(top)) {
            surface.line(static_cast<float>(x), static_cast<float>(bottom), static_cast<float>(x),
                         static_cast<float>(top), RgbBlue);
        }
    }
    for (int j = -1; j <= 3; ++j) {
        const double y = OriginY - (j / 10.0) * p;
        if (fits(y) && fits(p + OriginX)) {
            surface.line(static_cast<float>(OriginX), static_cast<float>(y),
                         static_cast<float>(p + OriginX), static_cast<float>(y), RgbBlue);
        }
    }

    surface.setDrawWidth(2);
    for (int b = 0; b < FilePointsPerCurve - 1; ++b) {
        for (int curve = 0; curve < CurveCount; ++curve) {
            const double x1 = p * sheet.pointX(curve, b) + OriginX;
            const double y1 = OriginY - p * sheet.pointY(curve, b);
            const double x2 = p * sheet.pointX(curve, b + 1) + OriginX;
            const double y2 = OriginY - p * sheet.pointY(curve, b + 1);
            if (fits(x1) && fits(y1) && fits(x2) && fits(y2)) {
                surface.line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                             static_cast<float>(y2), RgbBlack);
            }
        }
    }
    surface.setDrawWidth(1);
    return surface.endDoc();
}

}  // namespace vandrix
