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
                      const SectionSummary& summary, const QString& sourcePath,
                      const QDate& modified) {
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
    profile.values = {summary.name,
                      info.completeBaseName(),
                      modified.toString(Qt::ISODate),
                      percentText(m.thickness),
                      percentText(m.camber),
                      percentText(m.camberX),
                      percentText(m.leRadius),
                      QStringLiteral("201")};
    const FreeLines notes = {
        QStringLiteral("----------------------------------------"),
        QStringLiteral("Converted from: ") + info.fileName(),
        QStringLiteral("Format: ") + summary.format,
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

SectionImport ImportSectionFile(QIODevice& device, const QString& sourcePath,
                                const QDate& modified) {
    if (DataFileStart(device.peek(FirstLinePeek))) {
        return {};
    }
    SectionImport section =
        ImportSectionStart(device.read(MaxSectionFileBytes + 1), sourcePath, modified);
    section.consumed = true;
    return section;
}

SectionImport ImportSectionStart(QByteArray bytes, const QString& sourcePath,
                                 const QDate& modified) {
    const bool tooLarge = bytes.size() > MaxSectionFileBytes;
    bytes.truncate(MaxSectionFileBytes);
    SectionImport section = ImportSectionFile(bytes, sourcePath, modified);
    // A section file over the limit is refused for its size; a data file, or a file that is
    // neither (a first line longer than the peek), reads as it is.
    if ((section.kind == SectionImport::Kind::Converted ||
         section.kind == SectionImport::Kind::Failed) &&
        tooLarge) {
        section.summary = {};
        section.kind = SectionImport::Kind::Failed;
        section.bytes.clear();
        section.error =
            QStringLiteral("larger than %1 MiB").arg(MaxSectionFileBytes / (qint64{1024} * 1024));
    }
    return section;
}

SectionImport ImportSectionFile(const QByteArray& bytes, const QString& sourcePath,
                                const QDate& modified) {
    SectionImport import;
    // Recoded once here: the reader takes the recoded text as it is.
    const std::optional<QByteArray> recoded = RecodedText(bytes);
    const SectionTextOutcome read = ReadSectionText(recoded ? *recoded : bytes);
    if (read.kind == SectionTextOutcome::Kind::NotSection) {
        // A data file in UTF-16 or with CR-only line ends is read from its recoded text.
        import.bytes = recoded.value_or(QByteArray());
        return import;
    }
    if (read.kind == SectionTextOutcome::Kind::Neither) {
        import.kind = SectionImport::Kind::Neither;
        import.error = read.error;
        return import;
    }
    import.kind = SectionImport::Kind::Failed;
    if (read.kind == SectionTextOutcome::Kind::Failed) {
        import.error = read.error;
        return import;
    }
    const Result<ResampledSection> section = ResampleSection(JoinedRun(read.text.runs));
    if (!section) {
        import.error = section.error();
        return import;
    }
    import.kind = SectionImport::Kind::Converted;
    SectionSummary& summary = import.summary;
    summary.name =
        read.text.name.isEmpty() ? QFileInfo(sourcePath).completeBaseName() : read.text.name;
    summary.format = SectionFormatName(read.text.format);
    summary.points = read.text.pointCount;
    summary.measures = section.value().measures;
    summary.warnings = section.value().warnings;
    import.bytes = nativeFile(read.text, section.value(), summary, sourcePath, modified);
    return import;
}

}  // namespace vandrix
