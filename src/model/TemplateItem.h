// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/RibGeometry.h"

#include <QRectF>
#include <QString>

#include <vector>

namespace vandrix {

// One outline of a template with its label, the same in every format (DXF, SVG, PDF).
struct TemplateItem {
    RibOutline outline;
    QString label;
};

// Items side by side and items on a page's shelf are this far apart, in millimetres.
inline constexpr double ItemGap = 10.0;
// A label's baseline lies LabelLift millimetres above its outline's highest point, and its
// text is LabelHeight millimetres high (the DXF and the SVG).
inline constexpr double LabelLift = 3.0;
inline constexpr double LabelHeight = 3.5;

// Where an item lies when items are put side by side: its outline's bounds (mm, y up) and the
// x shift the item is drawn at.
struct SideBySidePlace {
    QRectF bounds;
    double shift = 0.0;
};

// Side by side along +x, ItemGap apart (the first stays put).
std::vector<SideBySidePlace> SideBySide(const std::vector<TemplateItem>& items);

// A length for labels: to a tenth of a millimetre, without a trailing ".0".
QString MillimetreText(double value);

}  // namespace vandrix
