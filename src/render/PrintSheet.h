#pragma once

#include "PrintSurface.h"
#include "model/Profile.h"

#include <QString>

#include <array>

namespace vandrix {

inline constexpr int SheetRows = 7;
// The largest printer scale the scale box takes, in millimetres per data unit.
inline constexpr double MaxPrinterScale = 180.0;

// What the printed sheet shows: the title, seven labelled values, and the two curves at
// `scale` millimetres per data unit.
struct SheetContent {
    QString fontName;
    QString title;
    std::array<QString, SheetRows> captions;
    std::array<QString, SheetRows> values;
    double scale = 0.0;
    const PointArray& pointX;
    const PointArray& pointY;
};

// Issues one A4 page: the title in blue at 18 points at (10, 10) mm; the captions at x = 10
// and ": " plus the values at x = 50 mm, from y = 100 mm in 5 mm steps, black, 9 points; the
// grid in blue and both curves in black with the data origin at (10, 75) mm and data y growing
// upwards. A segment with an end that is not a number or lies more than 10^6 mm from the page
// is left out. Returns what ending the document reported.
QString PrintSheet(PrintSurface& surface, const SheetContent& sheet);

}  // namespace vandrix
