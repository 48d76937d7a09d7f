// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeaderLine.h"

namespace vandrix {

namespace {

const QChar Colon = QLatin1Char(':');

}  // namespace

int LastPos(QStringView searchText, QStringView searchChar) {
    if (searchChar.size() != 1) {
        return 0;
    }
    const qsizetype pos = searchText.lastIndexOf(searchChar.front());
    return static_cast<int>(pos + 1);
}

QString GetLabel(QStringView headerLine, std::int16_t language, std::int16_t& readStop) {
    const qsizetype first = headerLine.indexOf(Colon);
    if (first < 0) {
        readStop = 1;
        return {};
    }
    const QStringView afterFirst = headerLine.mid(first + 1);
    const qsizetype second = afterFirst.indexOf(Colon);
    if (second < 0) {
        readStop = 1;
        return {};
    }
    if (language == 2) {
        return headerLine.left(first).toString();
    }
    return afterFirst.left(second).toString();
}

QString GetValue(QStringView headerLine) {
    QStringView rest = headerLine;
    for (int i = 0; i < 2; ++i) {
        const qsizetype colon = rest.indexOf(Colon);
        if (colon >= 0) {
            rest = rest.mid(colon + 1);
        }
    }
    return rest.toString();
}

}  // namespace vandrix
