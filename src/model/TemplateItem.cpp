// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TemplateItem.h"

namespace vandrix {

std::vector<SideBySidePlace> SideBySide(const std::vector<TemplateItem>& items) {
    std::vector<SideBySidePlace> places;
    places.reserve(items.size());
    double right = 0.0;
    for (const TemplateItem& item : items) {
        const QRectF box = item.outline.bounds();
        const double shift = places.empty() ? 0.0 : right + ItemGap - box.left();
        places.push_back({box, shift});
        right = box.right() + shift;
    }
    return places;
}

QString MillimetreText(double value) {
    QString text = QString::number(value, 'f', 1);
    if (text.endsWith(QLatin1String(".0"))) {
        text.chop(2);
    }
    return text;
}

}  // namespace vandrix
