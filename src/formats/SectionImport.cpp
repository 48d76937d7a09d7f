// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionImport.h"

#include "DataFileWriter.h"
#include "SectionReader.h"
#include "model/SectionGeometry.h"

#include <QFileDevice>
#include <QFileInfo>

#include <cmath>
#include <optional>

namespace vandrix {

namespace {

QString percent(double fraction) {
    return QString::number(fraction * 100.0, 'f', 2);
}

QString percentText(double fraction) {
    return percent(fraction) + QStringLiteral(" %");
}

// The native data file for a section; `summary` gives its name and format.
QByteArray nativeFile(const SectionText& text, const ResampledSection& section,
                      const Section& summary, const QString& sourcePath, const QDate& modified) {
    const QFileInfo info(sourcePath);
    const SectionMeasures& m = section.measures;
    QString points = QString::number(text.pointCount);
    if (text.format == SectionFormat::Lednicer) {
        points += QStringLiteral(" (%1 upper, %2 lower)")
                      .arg(text.runs[0].size())
                      .arg(text.runs[1].size());
    }
    if (text.noteLines > 0) {
        points += QStringLiteral(", %1 note line%2 after them")
                      .arg(text.noteLines)
                      .arg(text.noteLines == 1 ? "" : "s");
    }
    QString normalising = section.frameChange;
    for (const QString& warning : section.warnings) {
        normalising += QStringLiteral("; warning: ") + warning;
    }

    Section profile;
    profile.labels = {{{QStringLiteral("名称"), QStringLiteral("Name")},
                       {QStringLiteral("番号"), QStringLiteral("No.")},
                       {QStringLiteral("日付"), QStringLiteral("Date")},
                       {QStringLiteral("最大厚さ"), QStringLiteral("Max thickness")},
                       {QStringLiteral("最大反り"), QStringLiteral("Max camber")},
                       {QStringLiteral("反り位置"), QStringLiteral("Camber position")},
                       {QStringLiteral("前縁半径"), QStringLiteral("LE radius")},
                       {QStringLiteral("点数"), QStringLiteral("Points")}}};
    profile.values = {
        summary.title(),          info.completeBaseName(),         modified.toString(Qt::ISODate),
        percentText(m.thickness), percentText(m.camber),           percentText(m.camberX),
        percentText(m.leRadius),  QString::number(SectionStations)};
    const FreeLines notes = {
        QStringLiteral("----------------------------------------"),
        QStringLiteral("Converted from: ") + info.fileName(),
        QStringLiteral("Format: ") + SectionFormatName(summary.format),
        QStringLiteral("Points in the file: ") + points,
        QStringLiteral("Thickness position: ") + percentText(m.thicknessX),
        QStringLiteral("Trailing-edge gap: ") + percentText(m.teGap),
        QStringLiteral("Normalising: ") + normalising,
    };
    profile.curves = section.curves;
    return WriteDataFile(profile, notes);
}

}  // namespace

bool DataFileStart(const QByteArray& start) {
    const qsizetype end = start.indexOf('\n');
    return end >= 0 && !RecodedText(start) && StartsWithHeaderLine(start.left(end));
}

Result<ConvertedSection> ConvertSection(const QByteArray& bytes, const QString& sourcePath,
                                        const QDate& modified) {
    using R = Result<ConvertedSection>;
    if (bytes.size() > MaxSectionFileBytes) {
        return R::failure(
            QStringLiteral("larger than %1 MiB").arg(MaxSectionFileBytes / (qint64{1024} * 1024)));
    }
    const Result<SectionText> read = ReadSectionText(bytes);
    if (!read) {
        return R::failure(read.error());
    }
    const Result<ResampledSection> resampled = ResampleSection(JoinedRun(read.value().runs));
    if (!resampled) {
        return R::failure(resampled.error());
    }
    const SectionText& text = read.value();
    ConvertedSection converted;
    Section& section = converted.section;
    section.values[0] = text.name.isEmpty() ? QFileInfo(sourcePath).completeBaseName() : text.name;
    section.format = text.format;
    section.filePoints = text.pointCount;
    section.measures = resampled.value().measures;
    section.warnings = resampled.value().warnings;
    converted.dataFile = nativeFile(text, resampled.value(), section, sourcePath, modified);
    return R::success(std::move(converted));
}

}  // namespace vandrix
