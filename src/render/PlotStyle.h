// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace vandrix {

// The plot's colours and pen widths on every surface: a white ground, the grid in blue one
// pixel wide, the curves in black two pixels wide.
inline const QColor PlotBackColor(255, 255, 255);
inline const QColor PlotGridColor(0, 0, 255);
inline const QColor PlotCurveColor(0, 0, 0);
inline constexpr int PlotGridWidth = 1;
inline constexpr int PlotCurveWidth = 2;

}  // namespace vandrix
