// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/TemplateItem.h"

#include <QByteArray>

#include <vector>

namespace vandrix {

// Space around the drawing in the SVG template, in millimetres.
inline constexpr double SvgMargin = 5.0;

// The items as one SVG drawing in millimetres (width and height in mm, one user unit a
// millimetre, y down): the outlines in the group "outline", the chord lines in "chord", the
// labels in "label". The outlines lie side by side as in the DXF, each under its label.
QByteArray TemplateSvg(const std::vector<TemplateItem>& items);

}  // namespace vandrix
