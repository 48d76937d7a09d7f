// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionTable.h"

namespace vandrix {

namespace {

QString percent(double fraction) {
    return QString::number(fraction * 100.0, 'f', 3);
}

QByteArray line(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields) {
        quoted << CsvField(field);
    }
    return (quoted.join(u',') + QStringLiteral("\r\n")).toUtf8();
}

}  // namespace

QString CsvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r')) {
        return text;
    }
    return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QByteArray SectionTableHeader() {
    return line({QStringLiteral("file"), QStringLiteral("name"), QStringLiteral("format"),
                 QStringLiteral("points"), QStringLiteral("thickness %"),
                 QStringLiteral("thickness position %"), QStringLiteral("camber %"),
                 QStringLiteral("camber position %"), QStringLiteral("LE radius %"),
                 QStringLiteral("TE gap %"), QStringLiteral("warnings"),
                 QStringLiteral("refused")});
}

QByteArray SectionTableLine(const SectionTableRow& row) {
    QStringList fields = {row.file, row.name, row.format,
                          row.points > 0 ? QString::number(row.points) : QString()};
    if (row.measures) {
        const SectionMeasures& m = *row.measures;
        fields << percent(m.thickness) << percent(m.thicknessX) << percent(m.camber)
               << percent(m.camberX) << percent(m.leRadius) << percent(m.teGap);
    } else {
        for (int i = 0; i < 6; ++i) {
            fields << QString();
        }
    }
    fields << row.warnings.join(QStringLiteral("; ")) << row.refusal;
    return line(fields);
}

}  // namespace vandrix
