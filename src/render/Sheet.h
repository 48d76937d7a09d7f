// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"
#include "model/Section.h"
#include "render/PlotMapping.h"

#include <QString>

#include <array>
#include <functional>

class QIODevice;
class QPagedPaintDevice;
class QPainter;

namespace vandrix {

inline constexpr int SheetRows = 7;

// What the printed sheet shows: the title, seven labelled values, and the two curves at
// `scale` millimetres per data unit.
struct SheetContent {
    QString fontName;
    QString title;
    std::array<QString, SheetRows> captions;
    std::array<QString, SheetRows> values;
    double scale = 0.0;
    SectionCurves curves;
};

// The sheet of a data file's eight pairs: the first value is the title, pairs 2 to 8 the table.
SheetContent SheetOfPairs(const std::array<QString, HeaderPairCount>& labels,
                          const std::array<QString, HeaderPairCount>& values,
                          const QString& fontName, double scale, const SectionCurves& curves);

// Paints the sheet with a painter that is active on a page, positions in millimetres from the
// page's printable corner: the title in blue at 18 points at (10, 10) mm; the captions at
// x = 10 and ": " plus the values at x = 50 mm, from y = 100 mm in 5 mm steps, black, 9 points
// (a text's position is its top-left corner); the plot with its data origin at (10, 75) mm and
// data y growing upwards. A segment with an end that is not a number or lies more than 10^6 mm
// from the page is left out.
void PaintSheet(QPainter& painter, const SheetContent& sheet);

// Where the sheet's plot lies: `scale` millimetres a data unit, the data origin at (10, 75) mm
// from the page's printable corner and data y growing upwards, then `pageToDevice`. A line with an
// end more than 10^6 mm from the page is left out: Qt's PDF writer breaks on device coordinates
// beyond 2^32, which a few million millimetres reach at printer resolutions.
PlotMapping SheetPlotMapping(double scale, const QTransform& pageToDevice);

// Begins a painter on a device: done, or the device's own reason for taking none.
using BeginPainter = std::function<Status(QPainter& painter)>;

// Makes the device's page A4 with the smallest margins it allows and begins the painter on it
// with `begin`, ready for PaintSheet.
Status BeginSheetPage(QPainter& painter, QPagedPaintDevice& device, const BeginPainter& begin);

// The sheet as a one-page PDF document (1200 dpi) written to an open device. Errors of the
// device itself are the caller's to read.
Status WriteSheetPdf(QIODevice& output, const SheetContent& sheet);

}  // namespace vandrix
