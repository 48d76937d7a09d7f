// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportJob.h"

#include "ExportInput.h"
#include "TempFiles.h"
#include "formats/DataFile.h"
#include "formats/FileIdentity.h"
#include "formats/InputFile.h"
#include "formats/SectionTable.h"
#include "model/PrintableName.h"
#include "render/PalettePng.h"
#include "render/PlotPainter.h"
#include "render/Sheet.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgGenerator>

#include <fcntl.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <cstdio>
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
// regenerable pictures should not pay. The temporary file is registered for removal on a
// termination signal. Written with write(2) itself, so that a disk that fills up half-way is
// named by its own error (QFile reports a short write as an unknown error).
class OutputFile {
public:
    explicit OutputFile(QString path) : path_(std::move(path)) {}
    Q_DISABLE_COPY_MOVE(OutputFile)
    ~OutputFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!committed_ && !temporary_.isEmpty()) {
            ::unlink(temporary_.constData());
        }
        TempFileRegistry::remove(slot_);
    }

    QString open() {
        static std::atomic<unsigned> counter{0};
        const QFileInfo info(path_);
        int error = 0;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray name = PathBytes(info.dir().filePath(
                QStringLiteral(".%1.%2-%3.part")
                    .arg(info.fileName(), QString::number(QCoreApplication::applicationPid()),
                         QString::number(counter++))));
            slot_ = TempFileRegistry::add(name);
            if (slot_ < 0) {
                error = ENAMETOOLONG;
                break;
            }
            fd_ =
                ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
            if (fd_ >= 0) {
                temporary_ = name;
                return {};
            }
            error = errno;
            TempFileRegistry::remove(slot_);
            slot_ = -1;
            if (error != EEXIST) {
                break;
            }
        }
        return ErrnoText(error);
    }

    QString write(const QByteArray& bytes) {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.constData() + done,
                                      static_cast<std::size_t>(bytes.size() - done));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                return ErrnoText(errno);
            }
            done += n;
        }
        return {};
    }

    QString commit() {
        const int result = ::close(fd_);
        fd_ = -1;
        if (result != 0) {
            return ErrnoText(errno);
        }
        if (std::rename(temporary_.constData(), PathBytes(path_).constData()) != 0) {
            return ErrnoText(errno);
        }
        committed_ = true;
        return {};
    }

private:
    QString path_;
    QByteArray temporary_;
    int fd_ = -1;
    int slot_ = -1;
    bool committed_ = false;
};

// Makes a file's bytes through `write` and gives them their final name only when everything
// was written. Empty, or the line to report.
QString writeAtomically(const QString& path, const std::function<QString(QIODevice&)>& write) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QString error = write(buffer);
    buffer.close();
    return error.isEmpty() ? WriteOutput(path, bytes) : path + QStringLiteral(": ") + error;
}

// The inputs and the rib tip as files, not spellings: an output that is one of them under
// another name (a symlink, a hard link, a bind mount) is found too.
QSet<FileIdentity> inputIdentities(const QStringList& inputs, const ExportSettings& settings) {
    QSet<FileIdentity> files;
    for (const QString& input : inputs) {
        const std::optional<FileIdentity> id = input == QLatin1String(StandardInputName)
                                                   ? IdentityOf(STDIN_FILENO)
                                                   : IdentityOf(PathBytes(input));
        if (id) {
            files.insert(*id);
        }
    }
    if (!settings.templates.tip.isEmpty()) {
        if (const std::optional<FileIdentity> tip = IdentityOf(PathBytes(settings.templates.tip))) {
            files.insert(*tip);
        }
    }
    return files;
}

std::vector<const QString*> outputsOf(const ExportJob& job) {
    return {&job.pdf,           &job.png,           &job.svg,          &job.dat,
            &job.templates.dxf, &job.templates.pdf, &job.templates.svg};
}

QString writePng(QIODevice& file, std::int16_t scale, const SectionCurves& curves) {
    QImage image(ScreenPlotSize, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        PaintScreenPlot(painter, ScreenView{}, scale, curves, PlotRounding::WholeUnitsAndPixels);
    }
    return WritePalettePng(file, image).error();
}

QString writeSvg(QIODevice& file, std::int16_t scale, const SectionCurves& curves) {
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(ScreenPlotSize);
    generator.setViewBox(QRect(QPoint(0, 0), ScreenPlotSize));
    generator.setTitle(QStringLiteral("Vandrix"));
    {
        QPainter painter(&generator);
        PaintScreenPlot(painter, ScreenView{}, scale, curves, PlotRounding::WholeUnits);
    }
    return {};
}

QString writePdf(QIODevice& file, const SheetContent& sheet) {
    return WriteSheetPdf(file, sheet).error();
}

}  // namespace

std::vector<ExportJob> PlanExports(const QStringList& inputs, const QString& outputDir,
                                   const ExportSettings& settings) {
    const QDir dir(outputDir);
    const QSet<FileIdentity> inputFiles = inputIdentities(inputs, settings);
    QSet<QString> claimed;
    std::vector<ExportJob> jobs;
    jobs.reserve(static_cast<std::size_t>(inputs.size()));
    for (const QString& input : inputs) {
        ExportJob job;
        job.input = input;
        const QString base = input == QLatin1String(StandardInputName)
                                 ? settings.stdinName
                                 : QFileInfo(input).completeBaseName();
        const auto name = [&](bool wanted, const char* suffix) {
            return wanted ? dir.filePath(base + QLatin1String(suffix)) : QString();
        };
        job.pdf = name(settings.pdf, ".pdf");
        job.png = name(settings.png, ".png");
        job.svg = name(settings.svg, ".svg");
        job.dat = name(settings.dat, ".dat");
        job.templates = TemplateOutputNames(dir, base, settings.templates);
        QStringList ids;
        for (const QString* output : outputsOf(job)) {
            if (output->isEmpty()) {
                continue;
            }
            const std::optional<FileIdentity> file = IdentityOf(PathBytes(*output));
            if (file && inputFiles.contains(*file)) {
                job.refusal =
                    QStringLiteral("refused: %1 would replace an input file").arg(*output);
                break;
            }
            const QString id = identity(*output);
            if (claimed.contains(id)) {
                job.refusal =
                    QStringLiteral("refused: %1 is already written by another input of this run")
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

Status CheckTablePath(const QString& path, const QStringList& inputs,
                      const std::vector<ExportJob>& jobs, const ExportSettings& settings) {
    if (path == QLatin1String(StandardInputName)) {
        return Status::success();
    }
    const std::optional<FileIdentity> file = IdentityOf(PathBytes(path));
    if (file && inputIdentities(inputs, settings).contains(*file)) {
        return Status::failure(
            QStringLiteral("--table %1: it would replace an input file").arg(path));
    }
    const QString id = identity(path);
    for (const ExportJob& job : jobs) {
        for (const QString* output : outputsOf(job)) {
            if (job.refusal.isEmpty() && !output->isEmpty() && identity(*output) == id) {
                return Status::failure(
                    QStringLiteral("--table %1: it is also an output of this run").arg(path));
            }
        }
    }
    return Status::success();
}

QString WriteOutput(const QString& path, const QByteArray& bytes) {
    OutputFile file(path);
    QString error = file.open();
    if (error.isEmpty()) {
        error = file.write(bytes);
    }
    if (error.isEmpty()) {
        error = file.commit();
    }
    return error.isEmpty() ? QString() : path + QStringLiteral(": ") + error;
}

namespace {

// The row of measures of a data file, taken from its two curves as from a Selig outline.
SectionTableRow dataFileRow(const DataFileOutcome& data) {
    SectionTableRow row;
    row.name = data.values[0].value_or(QString());
    row.format = QStringLiteral("data file");
    row.points = 2 * SectionStations;
    SectionPoints run;
    for (int point = SectionStations - 1; point >= 0; --point) {
        run.emplace_back(data.curves.x(0, point), data.curves.y(0, point));
    }
    for (int point = 0; point < SectionStations; ++point) {
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
        return refuse(job.refusal, job.input + QStringLiteral(": ") + job.refusal);
    }
    DataFileReading reading;
    reading.language = settings.language;
    reading.unusableMessage = BuiltInUnusableMessage();
    // One read makes every output: a pipe can be read only once.
    // What standard input is called where a name is shown: its outputs' stem.
    const QString sourceName =
        job.input == QLatin1String(StandardInputName) ? settings.stdinName : job.input;
    const ExportInputRead input = ReadExportInput(job.input, sourceName, reading);
    const DataFileOutcome& data = input.data;
    const SectionCurves& curves = data.curves;
    if (!data.messages.isEmpty()) {
        const QString line = data.messages.join(QLatin1Char(' '));
        return refuse(input.refusal.isEmpty() ? line : input.refusal,
                      job.input + QStringLiteral(": ") + line);
    }
    if (input.kind == SectionImport::Kind::Converted) {
        for (const QString& warning : input.summary.warnings) {
            report.warnings << job.input + QStringLiteral(": warning: ") + warning;
        }
        if (settings.table) {
            row.name = input.summary.name;
            row.format = input.summary.format;
            row.points = input.summary.points;
            row.measures = input.summary.measures;
            row.warnings = input.summary.warnings;
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
    if (!job.png.isEmpty()) {
        fail(writeAtomically(job.png, [&](QIODevice& file) {
            return writePng(file, settings.screenScale, curves);
        }));
    }
    if (!job.svg.isEmpty()) {
        fail(writeAtomically(job.svg, [&](QIODevice& file) {
            return writeSvg(file, settings.screenScale, curves);
        }));
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
        fail(writeAtomically(job.pdf, [&](QIODevice& file) { return writePdf(file, sheet); }));
    }
    if (!job.dat.isEmpty()) {
        fail(WriteOutput(job.dat, input.dataFile));
    }
    if (job.templates.any()) {
        const NamedSection section =
            SectionOfInput(sourceName, data.values[0].value_or(QString()), curves);
        report.errors << ExportTemplates(job.input, section, settings.templates, job.templates,
                                         settings.fontName, &WriteOutput);
    }
    return report;
}

}  // namespace vandrix
