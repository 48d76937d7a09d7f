// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/TemplateItem.h"

#include <QByteArray>

#include <vector>

namespace vandrix {

// The items as an ASCII DXF drawing (AutoCAD 2000, millimetres): each outline as closed
// LWPOLYLINEs on layer OUTLINE, its chord as a LINE on CHORD and its label as TEXT on LABEL.
// The first outline keeps its place (nose at the origin); the others follow side by side.
QByteArray TemplateDxf(const std::vector<TemplateItem>& items);

}  // namespace vandrix
