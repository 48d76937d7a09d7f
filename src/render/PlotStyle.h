// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

#include <array>

namespace vandrix {

// The plot's colours and pen widths on every surface: a white ground, the grid in blue one
// pixel wide, the curves in black two pixels wide.
inline const QColor PlotBackColor(255, 255, 255);
inline const QColor PlotGridColor(0, 0, 255);
inline const QColor PlotCurveColor(0, 0, 0);
inline constexpr int PlotGridWidth = 1;
inline constexpr int PlotCurveWidth = 2;

// The overlay of several sections (Overlay.h) on the same white ground and pen widths: each
// section in a colour of its own, in this order: Okabe and Ito's palette, which readers with any
// common kind of colour blindness tell apart, without its yellow, which is lost on white, and
// then dark grey. The grid is light grey, a colour no section has, and the legend's names black.
inline const std::array<QColor, 8> OverlayColors = {
    QColor(0x00, 0x00, 0x00),  // black
    QColor(0xE6, 0x9F, 0x00),  // orange
    QColor(0x56, 0xB4, 0xE9),  // sky blue
    QColor(0x00, 0x9E, 0x73),  // bluish green
    QColor(0x00, 0x72, 0xB2),  // blue
    QColor(0xD5, 0x5E, 0x00),  // vermilion
    QColor(0xCC, 0x79, 0xA7),  // reddish purple
    QColor(0x60, 0x60, 0x60),  // dark grey
};
inline const QColor OverlayGridColor(0xCC, 0xCC, 0xCC);
inline const QColor OverlayTextColor(0x00, 0x00, 0x00);

// The overlay's legend, in logical pixels: one row a section, a stroke of its colour and its
// name, in the band right of the grid.
inline constexpr char OverlayFontFamily[] = "DejaVu Sans";
inline constexpr int OverlayTextPixels = 13;
inline constexpr int OverlayRowPixels = 20;
inline constexpr int OverlayStrokePixels = 24;
inline constexpr int OverlayGapPixels = 8;
inline constexpr int OverlayMarginPixels = 12;
// A longer name is cut short with an ellipsis.
inline constexpr int OverlayNamePixels = 240;

}  // namespace vandrix
