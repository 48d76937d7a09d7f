// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionTable.h"

#include "SectionReader.h"
#include "model/SectionGeometry.h"

namespace vandrix {

namespace {

QString percent(double fraction) {
    return QString::number(fraction * 100.0, 'f', 3);
}

// A figure with `decimals` decimals; one that rounds to zero is written without a sign.
QString figure(double value, int decimals) {
    const QString text = QString::number(value, 'f', decimals);
    return text.startsWith(u'-') && text.count(u'0') == text.size() - 2 ? text.mid(1) : text;
}

QByteArray line(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields) {
        quoted << CsvField(field);
    }
    return (quoted.join(u',') + QStringLiteral("\r\n")).toUtf8();
}

// A data file's two curves as one run, as a Selig file lists an outline: the upper surface from
// the trailing edge to the nose, then the lower back.
SectionPoints outlineRun(const SectionCurves& curves) {
    SectionPoints run;
    run.reserve(std::size_t{2} * SectionStations);
    for (int point = SectionStations - 1; point >= 0; --point) {
        run.emplace_back(curves.x(UpperCurve, point), curves.y(UpperCurve, point));
    }
    for (int point = 0; point < SectionStations; ++point) {
        run.emplace_back(curves.x(LowerCurve, point), curves.y(LowerCurve, point));
    }
    return run;
}

}  // namespace

SectionTableRow TableRow(const QString& file, const SectionRead& read) {
    SectionTableRow row;
    row.file = file;
    if (!read.clean()) {
        row.refusal = read.refusal.isEmpty() ? read.messages.join(QLatin1Char(' ')) : read.refusal;
        return row;
    }
    const Section& section = read.section;
    row.name = section.title();
    row.format = SectionFormatName(section.format);
    row.points = section.filePoints;
    if (section.measures) {
        row.measures = section.measures;
        row.warnings = section.warnings;
        return row;
    }
    const Result<ResampledSection> measured = ResampleSection(outlineRun(section.curves));
    if (measured) {
        row.measures = measured.value().measures;
        row.warnings = measured.value().warnings;
    } else {
        row.warnings << QStringLiteral("not measured: ") + measured.error();
    }
    return row;
}

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
                 QStringLiteral("TE gap %"), QStringLiteral("warnings"), QStringLiteral("refused"),
                 QStringLiteral("zero-lift angle deg"), QStringLiteral("Cm c/4")});
}

QStringList SectionTableFigures(const SectionMeasures& m) {
    return {percent(m.thickness),       percent(m.thicknessX),
            percent(m.camber),          percent(m.camberX),
            percent(m.leRadius),        percent(m.teGap),
            figure(m.zeroLiftAngle, 3), figure(m.quarterChordMoment, 4)};
}

QByteArray SectionTableLine(const SectionTableRow& row) {
    QStringList fields = {row.file, row.name, row.format,
                          row.points > 0 ? QString::number(row.points) : QString()};
    QStringList figures;  // after the refusal, so that the columns before keep their places
    if (row.measures) {
        const QStringList all = SectionTableFigures(*row.measures);
        fields << all.mid(0, 6);
        figures << all.mid(6);
    } else {
        for (int i = 0; i < 6; ++i) {
            fields << QString();
        }
        figures << QString() << QString();
    }
    fields << row.warnings.join(QStringLiteral("; ")) << row.refusal << figures;
    return line(fields);
}

}  // namespace vandrix
