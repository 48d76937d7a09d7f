// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataFileWriter.h"

#include "DataFile.h"

#include <QStringList>

namespace vandrix {

namespace {

QString coordinate(double v) {
    QString text = QString::number(v, 'f', 6);
    if (text == QLatin1String("-0.000000")) {
        text.remove(0, 1);
    }
    return text;
}

QString pair(const SectionCurves& curves, int curve, int point) {
    return coordinate(curves.x(curve, point)) + u',' + coordinate(curves.y(curve, point));
}

}  // namespace

QByteArray WriteDataFile(const Section& profile, const FreeLines& freeLines) {
    QStringList lines;
    auto freeLine = freeLines.begin();
    for (const int pair : DataFileHeaderLayout) {
        if (pair == 0) {
            lines << *freeLine++;
            continue;
        }
        const auto index = static_cast<std::size_t>(pair - 1);
        const HeaderLabel& label = profile.labels.at(index);
        lines << label.second + u':' + label.first + u':' + profile.values.at(index);
    }
    for (int point = SectionStations - 1; point >= 0; --point) {
        lines << pair(profile.curves, 0, point);
    }
    for (int point = 0; point < SectionStations; ++point) {
        lines << pair(profile.curves, 1, point);
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

}  // namespace vandrix
