#include "PrintSheet.h"

#include "PlotGrid.h"

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

// A4 in millimetres, and how far from it a point may lie: Qt's PDF writer breaks on device
// coordinates beyond 2^32, which a few million millimetres reach at printer resolutions.
constexpr double PageWidth = 210.0;
constexpr double PageHeight = 297.0;
constexpr double MaxOffPage = 1e6;

bool fitsAcross(double value) {
    return value >= -MaxOffPage && value <= PageWidth + MaxOffPage;
}

bool fitsDown(double value) {
    return value >= -MaxOffPage && value <= PageHeight + MaxOffPage;
}

bool fits(double x1, double y1, double x2, double y2) {
    return fitsAcross(x1) && fitsDown(y1) && fitsAcross(x2) && fitsDown(y2);
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
    for (const DataLine& line : GridLines) {
        const double x1 = line.x1 * p + OriginX;
        const double y1 = OriginY - line.y1 * p;
        const double x2 = line.x2 * p + OriginX;
        const double y2 = OriginY - line.y2 * p;
        if (fits(x1, y1, x2, y2)) {
            surface.line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                         static_cast<float>(y2), RgbBlue);
        }
    }

    surface.setDrawWidth(2);
    for (int b = 0; b < FilePointsPerCurve - 1; ++b) {
        for (int curve = 0; curve < CurveCount; ++curve) {
            const double x1 = p * sheet.pointX(curve, b) + OriginX;
            const double y1 = OriginY - p * sheet.pointY(curve, b);
            const double x2 = p * sheet.pointX(curve, b + 1) + OriginX;
            const double y2 = OriginY - p * sheet.pointY(curve, b + 1);
            if (fits(x1, y1, x2, y2)) {
                surface.line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                             static_cast<float>(y2), RgbBlack);
            }
        }
    }
    surface.setDrawWidth(1);
    return surface.endDoc();
}

}  // namespace vandrix
