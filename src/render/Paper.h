// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTransform>

namespace vandrix {

// The paper everything is printed on, the sheet and the templates: A4, in millimetres.
inline constexpr double A4Width = 210.0;
inline constexpr double A4Height = 297.0;

inline constexpr double MillimetresPerInch = 25.4;
inline constexpr double PointsPerInch = 72.0;

// The resolution of the PDF files written, the sheet's and the templates': 1200 dots an inch, a
// dot about 0.02 mm. Qt writes coordinates with their decimals, so an outline keeps to 0.01 mm.
inline constexpr int PdfResolution = 1200;

// Millimetres on the page to the units of a device of `dotsPerInch`.
inline QTransform MillimetresToDevice(double dotsPerInch) {
    const double perMillimetre = dotsPerInch / MillimetresPerInch;
    return QTransform::fromScale(perMillimetre, perMillimetre);
}

}  // namespace vandrix
