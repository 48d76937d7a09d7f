#include "SectionImport.h"

#include "model/SectionGeometry.h"
#include "DataFileWriter.h"
#include "SectionReader.h"

#include <QFileDevice>
#include <QFileInfo>

#include <cmath>

namespace vandrix {

namespace {

QString percent(double fraction) {
    return QString::number(fraction * 100.0, 'f', 2);
}

QString percentText(double fraction) {
    return percent(fraction) + QStringLiteral(" %");
}

QByteArray nativeFile(const SectionText& text, const ResampledSection& section,
                      const QString& sourcePath, const QDate& modified) {
    const QFileInfo info(sourcePath);
    const SectionMeasures& m = section.measures;
    const QString name = text.name.isEmpty() ? info.completeBaseName() : text.name;
    const QString format =
        text.format == SectionFormat::Selig ? QStringLiteral("Selig") : QStringLiteral("Lednicer");
    QString points = QString::number(text.pointCount);
    if (text.format == SectionFormat::Lednicer) {
        points += QStringLiteral(" (%1 upper, %2 lower)")
                      .arg(text.runs[0].size())
                      .arg(text.runs[1].size());
    }

    Profile profile;
    profile.labels = {{{QStringLiteral("名称"), QStringLiteral("Name")},
                       {QStringLiteral("番号"), QStringLiteral("No.")},
                       {QStringLiteral("日付"), QStringLiteral("Date")},
                       {QStringLiteral("最大厚さ"), QStringLiteral("Max thickness")},
                       {QStringLiteral("最大反り"), QStringLiteral("Max camber")},
                       {QStringLiteral("反り位置"), QStringLiteral("Camber position")},
                       {QStringLiteral("前縁半径"), QStringLiteral("LE radius")},
                       {QStringLiteral("点数"), QStringLiteral("Points")}}};
    profile.values = {name,
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
        QStringLiteral("Format: ") + format,
        QStringLiteral("Points in the file: ") + points,
        QStringLiteral("Thickness position: ") + percentText(m.thicknessX),
        QStringLiteral("Trailing-edge gap: ") + percentText(m.teGap),
        QStringLiteral("Normalising: ") + section.frameChange,
    };
    for (int i = 0; i < SectionStations; ++i) {
        const auto k = std::size_t(i);
        profile.curves.x(0, i) = section.upper.x[k];
        profile.curves.y(0, i) = section.upper.y[k];
        profile.curves.x(1, i) = section.lower.x[k];
        profile.curves.y(1, i) = section.lower.y[k];
    }
    return WriteDataFile(profile, notes);
}

constexpr qint64 FirstLinePeek = 4096;

// A section file's first line (a name or a pair) is short and not a header line.
bool mayBeSectionFile(const QByteArray& start) {
    const qsizetype end = start.indexOf('\n');
    return end >= 0 && start.left(end).count(':') < 2;
}

}  // namespace

SectionImport ImportSectionFile(QFileDevice& file, const QString& sourcePath) {
    if (!mayBeSectionFile(file.peek(FirstLinePeek))) {
        return {};
    }
    QByteArray bytes = file.read(MaxSectionFileBytes + 1);
    const bool tooLarge = bytes.size() > MaxSectionFileBytes;
    bytes.truncate(MaxSectionFileBytes);
    const QDate modified = file.fileTime(QFileDevice::FileModificationTime).date();
    SectionImport section = ImportSectionFile(bytes, sourcePath, modified);
    if (section.kind != SectionImport::Kind::NotSection && tooLarge) {
        section.kind = SectionImport::Kind::Failed;
        section.bytes.clear();
        section.error =
            QStringLiteral("larger than %1 MiB").arg(MaxSectionFileBytes / (qint64{1024} * 1024));
    }
    section.consumed = true;
    return section;
}

SectionImport ImportSectionFile(const QByteArray& bytes, const QString& sourcePath,
                                const QDate& modified) {
    SectionImport import;
    const SectionTextOutcome read = ReadSectionText(bytes);
    if (read.kind == SectionTextOutcome::Kind::NotSection) {
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
    import.bytes = nativeFile(read.text, section.value(), sourcePath, modified);
    return import;
}

}  // namespace vandrix
