// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"
#include "render/PlotMapping.h"
#include "render/TemplateLayout.h"

#include <QByteArray>
#include <QString>

#include <vector>

class QPainter;

namespace vandrix {

// What every page of a template names: the section, and the font its text is set in.
struct TemplateHeading {
    QString name;
    QString fontName;
};

// Where an outline lies: its millimetres (y up) on the page's (y down) with its origin at
// `origin`, then `pageToDevice`.
PlotMapping OutlineMapping(QPointF origin, const QTransform& pageToDevice);

// Paints one page on a painter whose user unit is one millimetre from the paper's top-left:
// the outlines placed on it (clipped to the drawing area), their chord lines and labels, the
// registration crosses and tile label of a tiled page, the 100 mm check bars along x and y, the
// section's name and chord, and the line asking for printing at 100 %.
void PaintTemplatePage(QPainter& painter, const TemplatePage& page,
                       const std::vector<TemplateItem>& items, const TemplateHeading& heading);

// The laid-out pages as a PDF of A4 pages at 1:1.
Result<QByteArray> TemplatePdf(const std::vector<TemplateItem>& items,
                               const TemplateHeading& heading);

}  // namespace vandrix
