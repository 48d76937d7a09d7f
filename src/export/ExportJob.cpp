#include "ExportJob.h"

#include "formats/DataFile.h"
#include "formats/DataFileBytes.h"
#include "formats/SectionImport.h"
#include "formats/SectionTable.h"
#include "model/FileMessages.h"
#include "render/PalettePng.h"
#include "render/PlotGeometry.h"
#include "render/PlotPainter.h"
#include "render/Sheet.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgGenerator>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>

namespace vandrix {

namespace {

// The path an existing file or a file to be created is known by, for comparisons.
QString identity(const QString& path) {
    const QFileInfo info(path);
    const QString dir = QFileInfo(info.absolutePath()).canonicalFilePath();
    return dir.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                         : dir + QLatin1Char('/') + info.fileName();
}

// A file written under a temporary name beside its final one and renamed over it once it is
// complete, so the final name never holds a partial file. Unlike QSaveFile it does not force
// the data to disk first: that costs tens of milliseconds a file, which a batch of hundreds of
// regenerable pictures should not pay.
class OutputFile {
public:
    explicit OutputFile(QString path) : path_(std::move(path)) {}
    Q_DISABLE_COPY_MOVE(OutputFile)
    ~OutputFile() {
        if (!committed_ && !file_.fileName().isEmpty()) {
            file_.close();
            file_.remove();
        }
    }

    QFile& device() { return file_; }

    QString open() {
        static std::atomic<unsigned> counter{0};
        const QFileInfo info(path_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            file_.setFileName(info.dir().filePath(
                QStringLiteral(".%1.%2-%3.part")
                    .arg(info.fileName(), QString::number(QCoreApplication::applicationPid()),
                         QString::number(counter++))));
            if (file_.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
                return {};
            }
            if (!file_.exists()) {
                break;
            }
        }
        QString error = file_.errorString();
        file_.setFileName(QString());
        return error;
    }

    QString commit() {
        file_.close();
        if (file_.error() != QFileDevice::NoError) {
            return file_.errorString();
        }
        if (std::rename(QFile::encodeName(file_.fileName()).constData(),
                        QFile::encodeName(path_).constData()) != 0) {
            return QString::fromLocal8Bit(std::strerror(errno));
        }
        committed_ = true;
        return {};
    }

private:
    QString path_;
    QFile file_;
    bool committed_ = false;
};

// Writes a file through `write` and gives it its final name only when everything was written.
// Empty, or the line to report.
QString writeAtomically(const QString& path, const std::function<QString(QFile&)>& write) {
    OutputFile file(path);
    QString error = file.open();
    if (error.isEmpty()) {
        error = write(file.device());
    }
    if (error.isEmpty()) {
        error = file.commit();
    }
    return error.isEmpty() ? QString() : path + QStringLiteral(": ") + error;
}

QString writePng(QFile& file, const ScreenPlot& plot) {
    QImage image(ScreenPlotSize, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        PlotPainter plotter(painter, ScreenPlotSize, ScreenPlotFrame);
        DrawScreenPlot(plotter, plot);
    }
    const Status written = WritePalettePng(file, image);
    if (file.error() != QFileDevice::NoError) {
        return file.errorString();
    }
    return written.error();
}

QString writeSvg(QFile& file, const ScreenPlot& plot) {
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(ScreenPlotSize);
    generator.setViewBox(QRect(QPoint(0, 0), ScreenPlotSize));
    generator.setTitle(QStringLiteral("Vandrix"));
    {
        QPainter painter(&generator);
        PlotPainter plotter(painter, ScreenPlotSize, ScreenPlotFrame);
        plotter.setWholePixels(false);
        DrawScreenPlot(plotter, plot);
    }
    return file.error() != QFileDevice::NoError ? file.errorString() : QString();
}

QString writePdf(QFile& file, const SheetContent& sheet) {
    const Status written = WriteSheetPdf(file, sheet);
    if (file.error() != QFileDevice::NoError) {
        return file.errorString();
    }
    return written.error();
}

}  // namespace

std::vector<ExportJob> PlanExports(const QStringList& inputs, const QString& outputDir,
                                   const ExportSettings& settings) {
    const QDir dir(outputDir);
    QSet<QString> inputIds;
    for (const QString& input : inputs) {
        inputIds.insert(identity(input));
    }
    if (!settings.templates.tip.isEmpty()) {
        inputIds.insert(identity(settings.templates.tip));
    }
    QSet<QString> claimed;
    std::vector<ExportJob> jobs;
    jobs.reserve(static_cast<std::size_t>(inputs.size()));
    for (const QString& input : inputs) {
        ExportJob job;
        job.input = input;
        const QString base = QFileInfo(input).completeBaseName();
        const auto name = [&](bool wanted, const char* suffix) {
            return wanted ? dir.filePath(base + QLatin1String(suffix)) : QString();
        };
        job.pdf = name(settings.pdf, ".pdf");
        job.png = name(settings.png, ".png");
        job.svg = name(settings.svg, ".svg");
        job.dat = name(settings.dat, ".dat");
        job.templates = TemplateOutputNames(dir, base, settings.templates);
        QStringList ids;
        for (const QString* output : {&job.pdf, &job.png, &job.svg, &job.dat, &job.templates.dxf,
                                      &job.templates.pdf, &job.templates.svg}) {
            if (output->isEmpty()) {
                continue;
            }
            const QString id = identity(*output);
            if (inputIds.contains(id)) {
                job.refusal =
                    input +
                    QStringLiteral(": refused: %1 would replace an input file").arg(*output);
                break;
            }
            if (claimed.contains(id)) {
                job.refusal = input + QStringLiteral(
                                          ": refused: %1 is already written by "
                                          "another input of this run")
                                          .arg(*output);
                break;
            }
            ids << id;
        }
        if (job.refusal.isEmpty()) {
            for (const QString& id : ids) {
                claimed.insert(id);
            }
        }
        jobs.push_back(std::move(job));
    }
    return jobs;
}

namespace {

// The row of measures of a data file, taken from its two curves as from a Selig outline.
SectionTableRow dataFileRow(const DataFileOutcome& data) {
    SectionTableRow row;
    row.name = data.values[0].value_or(QString());
    row.format = QStringLiteral("data file");
    row.points = 2 * FilePointsPerCurve;
    SectionPoints run;
    for (int point = FilePointsPerCurve - 1; point >= 0; --point) {
        run.emplace_back(data.curves.x(0, point), data.curves.y(0, point));
    }
    for (int point = 0; point < FilePointsPerCurve; ++point) {
        run.emplace_back(data.curves.x(1, point), data.curves.y(1, point));
    }
    const Result<ResampledSection> measured = ResampleSection(run);
    if (measured) {
        row.measures = measured.value().measures;
        row.warnings = measured.value().warnings;
    } else {
        row.warnings << QStringLiteral("not measured: ") + measured.error();
    }
    return row;
}

}  // namespace

ExportReport RunExport(const ExportJob& job, const ExportSettings& settings) {
    ExportReport report;
    SectionTableRow row;
    const auto refuse = [&](const QString& reason, const QString& line) {
        report.errors << line;
        if (settings.table) {
            row.file = job.input;
            row.refusal = reason;
            report.tableRow = SectionTableLine(row);
        }
        return report;
    };
    if (!job.refusal.isEmpty()) {
        return refuse(job.refusal.mid(job.input.size() + 2), job.refusal);
    }
    DataFileReading reading;
    reading.language = settings.language;
    reading.unusableMessage = BuiltInUnusableMessage();
    // The input is read once: a section file converts here, and its data file is what the
    // viewer reads and --dat writes.
    QFile file(job.input);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString line = CannotOpenDescription(job.input, file.errorString());
        return refuse(line, job.input + QStringLiteral(": ") + line);
    }
    const SectionImport import = ImportSectionFile(file, job.input);
    if (import.kind == SectionImport::Kind::Failed) {
        const QString line = SectionFileDescription(job.input, import.error);
        return refuse(import.error, job.input + QStringLiteral(": ") + line);
    }
    if (import.kind == SectionImport::Kind::Neither) {
        return refuse(import.error, job.input + QStringLiteral(": ") + import.error);
    }
    DataFileOutcome data;
    if (!import.bytes.isEmpty()) {
        file.close();
        QBuffer buffer;
        buffer.setData(import.bytes);
        buffer.open(QIODevice::ReadOnly);
        data = ReadDataFileFrom(buffer, reading);
    } else if (!import.consumed || file.seek(0)) {
        data = ReadDataFileFrom(file, reading);
        file.close();
    } else {
        data.messages << CannotOpenDescription(job.input, file.errorString());
    }
    const ProfileCurves& curves = data.curves;
    if (!data.messages.isEmpty()) {
        const QString line = data.messages.join(QLatin1Char(' '));
        return refuse(line, job.input + QStringLiteral(": ") + line);
    }
    if (import.kind == SectionImport::Kind::Converted) {
        for (const QString& warning : import.summary.warnings) {
            report.warnings << job.input + QStringLiteral(": warning: ") + warning;
        }
        if (settings.table) {
            row.name = import.summary.name;
            row.format = import.summary.format;
            row.points = import.summary.points;
            row.measures = import.summary.measures;
            row.warnings = import.summary.warnings;
        }
    } else if (settings.table) {
        row = dataFileRow(data);
    }
    if (settings.table) {
        row.file = job.input;
        report.tableRow = SectionTableLine(row);
    }
    if (data.readStop == 1) {
        report.warnings << job.input + QStringLiteral(
                                           ": warning: the header stops at a line that is not "
                                           "a label and value; exported as the viewer shows it");
    }
    const auto fail = [&report](const QString& line) {
        if (!line.isEmpty()) {
            report.errors << line;
        }
    };
    if (!job.png.isEmpty() || !job.svg.isEmpty()) {
        const ScreenPlot plot = ComputeScreenPlot(settings.screenScale, curves);
        if (!job.png.isEmpty()) {
            fail(writeAtomically(job.png, [&](QFile& file) { return writePng(file, plot); }));
        }
        if (!job.svg.isEmpty()) {
            fail(writeAtomically(job.svg, [&](QFile& file) { return writeSvg(file, plot); }));
        }
    }
    if (!job.pdf.isEmpty()) {
        // The sheet shows what the window would: the first value as the title, then pairs 2..8.
        std::array<QString, HeaderPairCount> labels;
        std::array<QString, HeaderPairCount> values;
        for (std::size_t k = 0; k < labels.size(); ++k) {
            labels.at(k) = data.labels.at(k).value_or(QString());
            values.at(k) = data.values.at(k).value_or(QString());
        }
        const SheetContent sheet =
            SheetOfPairs(labels, values, settings.fontName, settings.printerScale, curves);
        fail(writeAtomically(job.pdf, [&](QFile& file) { return writePdf(file, sheet); }));
    }
    if (!job.dat.isEmpty()) {
        const Result<QByteArray> bytes = import.bytes.isEmpty()
                                             ? DataFileBytes(job.input)
                                             : Result<QByteArray>::success(import.bytes);
        if (!bytes) {
            report.errors << job.input + QStringLiteral(": ") + bytes.error();
        } else {
            fail(writeAtomically(job.dat, [&](QFile& file) {
                return file.write(bytes.value()) == bytes.value().size() ? QString()
                                                                         : file.errorString();
            }));
        }
    }
    if (job.templates.any()) {
        const NamedSection section =
            SectionOfInput(job.input, data.values[0].value_or(QString()), curves);
        report.errors << ExportTemplates(
            job.input, section, settings.templates, job.templates, settings.fontName,
            [](const QString& path, const QByteArray& bytes) {
                return writeAtomically(path, [&bytes](QFile& file) {
                    return file.write(bytes) == bytes.size() ? QString() : file.errorString();
                });
            });
    }
    return report;
}

}  // namespace vandrix
