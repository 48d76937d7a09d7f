// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/FoamCut.h"

#include <QByteArray>
#include <QString>

namespace vandrix {

// What the preview's title and legend say of each line.
struct FoamPreviewText {
    QString title;
    QString rootOutline;
    QString tipOutline;
    QString rootPath;
    QString tipPath;
    QString leftTower;
    QString rightTower;
};

// The cut as one SVG drawing in millimetres, in the machine's frame (h right, v up, the machine's
// zero drawn as two axes): the root and tip outlines on their faces, the kerf paths, and the two
// towers' paths from the lead-in start round and back, each in its own colour (groups
// "root-outline", "tip-outline", "root-path", "tip-path", "left-tower", "right-tower"), the
// lead-in start marked, with the title above and a legend below.
QByteArray FoamPreviewSvg(const FoamCut& cut, const FoamPreviewText& text);

}  // namespace vandrix
