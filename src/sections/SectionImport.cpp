#include "SectionImport.h"

#include "SectionGeometry.h"
#include "SectionReader.h"

#include <QFileDevice>
#include <QFileInfo>

#include <cmath>

namespace vandrix {

namespace {

QString percent(double fraction) {
    return QString::number(fraction * 100.0, 'f', 2);
}

// Six decimals; a value that rounds to zero is written without a sign.
QString coordinate(double v) {
    QString text = QString::number(v, 'f', 6);
    if (text == QLatin1String("-0.000000")) {
        text.remove(0, 1);
    }
    return text;
}

QByteArray nativeFile(const SectionText& text, const ResampledSection& section,
                      const QString& sourcePath, const QDate& modified) {
    const QFileInfo info(sourcePath);
    const SectionMeasures& m = section.measures;
    const QString name = text.name.isEmpty() ? info.completeBaseName() : text.name;
    const QString format = SectionFormatName(text.format);
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

    QStringList lines = {
        QStringLiteral("番号:No.:") + info.completeBaseName(),
        QStringLiteral("日付:Date:") + modified.toString(Qt::ISODate),
        QStringLiteral("名称:Name:") + name,
        QStringLiteral("最大厚さ:Max thickness:") + percent(m.thickness) + QStringLiteral(" %"),
        QStringLiteral("最大反り:Max camber:") + percent(m.camber) + QStringLiteral(" %"),
        QStringLiteral("----------------------------------------"),
        QStringLiteral("反り位置:Camber position:") + percent(m.camberX) + QStringLiteral(" %"),
        QStringLiteral("前縁半径:LE radius:") + percent(m.leRadius) + QStringLiteral(" %"),
        QStringLiteral("点数:Points:201"),
        QStringLiteral("Converted from: ") + info.fileName(),
        QStringLiteral("Format: ") + format,
        QStringLiteral("Points in the file: ") + points,
        QStringLiteral("Thickness position: ") + percent(m.thicknessX) + QStringLiteral(" %"),
        QStringLiteral("Trailing-edge gap: ") + percent(m.teGap) + QStringLiteral(" %"),
        QStringLiteral("Normalising: ") + normalising,
    };
    for (int i = SectionStations - 1; i >= 0; --i) {
        const auto k = std::size_t(i);
        lines << coordinate(section.upper.x[k]) + u',' + coordinate(section.upper.y[k]);
    }
    for (std::size_t k = 0; k < std::size_t(SectionStations); ++k) {
        lines << coordinate(section.lower.x[k]) + u',' + coordinate(section.lower.y[k]);
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

constexpr qint64 FirstLinePeek = 4096;

// Whether the file's start shows a data file, before reading the whole file.
bool dataFileStart(const QByteArray& start) {
    const qsizetype end = start.indexOf('\n');
    return end >= 0 && !RecodedText(start) && StartsWithHeaderLine(start.left(end));
}

}  // namespace

SectionImport ImportSectionFile(QFileDevice& file, const QString& sourcePath) {
    if (dataFileStart(file.peek(FirstLinePeek))) {
        return {};
    }
    QByteArray bytes = file.read(MaxSectionFileBytes + 1);
    const bool tooLarge = bytes.size() > MaxSectionFileBytes;
    bytes.truncate(MaxSectionFileBytes);
    const QDate modified = file.fileTime(QFileDevice::FileModificationTime).date();
    SectionImport section = ImportSectionFile(bytes, sourcePath, modified);
    if (section.kind != SectionImport::Kind::NotSection && tooLarge) {
        section.summary = {};
        section.kind = SectionImport::Kind::Failed;
        section.bytes.clear();
        section.error =
            QStringLiteral("larger than %1 MiB").arg(MaxSectionFileBytes / (qint64{1024} * 1024));
    }
    section.consumed = true;
    return section;
}

QString SectionFileDescription(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot read section file %1: %2").arg(path, reason);
}

SectionImport ImportSectionFile(const QByteArray& bytes, const QString& sourcePath,
                                const QDate& modified) {
    SectionImport import;
    const SectionTextOutcome read = ReadSectionText(bytes);
    if (read.kind == SectionTextOutcome::Kind::NotSection) {
        // A data file in UTF-16 or with CR-only line ends is read from its recoded text.
        import.bytes = RecodedText(bytes).value_or(QByteArray());
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
    const Result<ResampledSection> section = ResampleSection(JoinedRun(read.text));
    if (!section) {
        import.error = section.error();
        return import;
    }
    import.kind = SectionImport::Kind::Converted;
    import.bytes = nativeFile(read.text, section.value(), sourcePath, modified);
    SectionSummary& summary = import.summary;
    summary.name =
        read.text.name.isEmpty() ? QFileInfo(sourcePath).completeBaseName() : read.text.name;
    summary.format = SectionFormatName(read.text.format);
    summary.points = read.text.pointCount;
    summary.noteLines = read.text.noteLines;
    summary.measures = section.value().measures;
    summary.warnings = section.value().warnings;
    return import;
}

}  // namespace vandrix
