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

Result<HeaderLabel> HeaderLabels(QStringView headerLine) {
    const qsizetype first = headerLine.indexOf(Colon);
    const QStringView afterFirst = first < 0 ? QStringView() : headerLine.mid(first + 1);
    const qsizetype second = afterFirst.indexOf(Colon);
    if (first < 0 || second < 0) {
        return Result<HeaderLabel>::failure(
            QStringLiteral("not a label and value: a header line has two colons"));
    }
    return Result<HeaderLabel>::success(
        {headerLine.left(first).toString(), afterFirst.left(second).toString()});
}

const QString& LabelIn(const HeaderLabel& label, std::int16_t language) {
    return language == 2 ? label.second : label.first;
}

Result<QString> GetLabel(QStringView headerLine, std::int16_t language) {
    const Result<HeaderLabel> labels = HeaderLabels(headerLine);
    if (!labels) {
        return Result<QString>::failure(labels.error());
    }
    return Result<QString>::success(LabelIn(labels.value(), language));
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
