// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportJob.h"

#include "formats/AtomicWrite.h"
#include "formats/FileIdentity.h"
#include "formats/HeaderLine.h"
#include "formats/InputFile.h"
#include "formats/SectionFile.h"
#include "formats/SectionTable.h"
#include "model/PathBytes.h"
#include "render/PalettePng.h"
#include "render/PlotPainter.h"
#include "render/Sheet.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgGenerator>

#include <unistd.h>
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

// Makes a file's bytes through `write` and gives them their final name only when everything
// was written. Fails with the line to report.
Status writeAtomically(const QString& path, const std::function<Status(QIODevice&)>& write) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const Status made = write(buffer);
    buffer.close();
    return made ? WriteOutput(path, bytes)
                : Status::failure(path + QStringLiteral(": ") + made.error());
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
    return {&job.pdf,           &job.png,           &job.svg,
            &job.dat,           &job.templates.dxf, &job.templates.pdf,
            &job.templates.svg, &job.foam.gcode,    &job.foam.preview};
}

Status writePng(QIODevice& file, std::int16_t scale, const SectionCurves& curves) {
    QImage image(ScreenPlotSize, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        PaintScreenPlot(painter, ScreenView{}, scale, curves, PlotRounding::WholeUnitsAndPixels);
    }
    return WritePalettePng(file, image);
}

Status writeSvg(QIODevice& file, std::int16_t scale, const SectionCurves& curves) {
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(ScreenPlotSize);
    generator.setViewBox(QRect(QPoint(0, 0), ScreenPlotSize));
    generator.setTitle(QStringLiteral("Vandrix"));
    {
        QPainter painter(&generator);
        PaintScreenPlot(painter, ScreenView{}, scale, curves, PlotRounding::WholeUnits);
    }
    return Status::success();
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
        job.foam = FoamOutputNames(dir, base, settings.foam);
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
    return CheckRunOutput(QStringLiteral("--table"), path, inputs, jobs, settings);
}

Status CheckRunOutput(const QString& option, const QString& path, const QStringList& inputs,
                      const std::vector<ExportJob>& jobs, const ExportSettings& settings,
                      const QStringList& others) {
    const std::optional<FileIdentity> file = IdentityOf(PathBytes(path));
    if (file && inputIdentities(inputs, settings).contains(*file)) {
        return Status::failure(
            QStringLiteral("%1 %2: it would replace an input file").arg(option, path));
    }
    const QString id = identity(path);
    const auto also = [&] {
        return Status::failure(
            QStringLiteral("%1 %2: it is also an output of this run").arg(option, path));
    };
    for (const ExportJob& job : jobs) {
        for (const QString* output : outputsOf(job)) {
            if (job.refusal.isEmpty() && !output->isEmpty() && identity(*output) == id) {
                return also();
            }
        }
    }
    for (const QString& other : others) {
        if (identity(other) == id) {
            return also();
        }
    }
    return Status::success();
}

Status WriteOutput(const QString& path, const QByteArray& bytes) {
    return WriteBatchFile(path, bytes);
}

namespace {

// An input read once, as the viewer reads it, for all its outputs: a pipe can be read only once.
// Pipes are read; a file that is neither a data file nor a section file is refused.
SectionRead readInput(const ExportJob& job, const QString& sourceName) {
    const QString& input = job.input;
    SectionReading how;
    how.unusableMessage = BuiltInUnusableMessage();
    how.fifo = FifoRule::Allow;
    how.neither = NeitherRule::Refuse;
    how.sourceName = sourceName;
    how.keepBytes = !job.dat.isEmpty();
    return input == QLatin1String(StandardInputName) ? ReadSection(STDIN_FILENO, input, how)
                                                     : ReadSection(input, how);
}

// The sheet shows what the window would: the first value as the title, then pairs 2..8, the
// labels in the chosen language.
SheetContent sheetOf(const Section& section, const ExportSettings& settings) {
    std::array<QString, HeaderPairCount> labels;
    for (std::size_t k = 0; k < labels.size(); ++k) {
        labels.at(k) = LabelIn(section.labels.at(k), settings.language);
    }
    return SheetOfPairs(labels, section.values, settings.fontName, settings.printerScale,
                        section.curves);
}

}  // namespace

ExportReport RunExport(const ExportJob& job, const ExportSettings& settings) {
    ExportReport report;
    if (!job.refusal.isEmpty()) {
        report.errors << job.input + QStringLiteral(": ") + job.refusal;
        if (settings.table) {
            SectionTableRow row;
            row.file = job.input;
            row.refusal = job.refusal;
            report.tableRow = SectionTableLine(row);
        }
        return report;
    }
    // What standard input is called where a name is shown: its outputs' stem.
    const QString sourceName =
        job.input == QLatin1String(StandardInputName) ? settings.stdinName : job.input;
    const SectionRead input = readInput(job, sourceName);
    const Section& section = input.section;
    if (settings.table) {
        report.tableRow = SectionTableLine(TableRow(job.input, input));
    }
    if (!input.clean()) {
        report.errors << job.input + QStringLiteral(": ") + input.messages.join(QLatin1Char(' '));
        return report;
    }
    for (const QString& warning : section.warnings) {
        report.warnings << job.input + QStringLiteral(": warning: ") + warning;
    }
    if (settings.overlay) {
        report.overlay = OverlaySection{SectionName(section.title(), sourceName), section.curves};
    }
    if (input.readStop == 1) {
        report.warnings << job.input + QStringLiteral(
                                           ": warning: the header stops at a line that is not "
                                           "a label and value; exported as the viewer shows it");
    }
    const auto fail = [&report](const Status& written) { report.errors << written.errors(); };
    if (!job.png.isEmpty()) {
        fail(writeAtomically(job.png, [&](QIODevice& file) {
            return writePng(file, settings.screenScale, section.curves);
        }));
    }
    if (!job.svg.isEmpty()) {
        fail(writeAtomically(job.svg, [&](QIODevice& file) {
            return writeSvg(file, settings.screenScale, section.curves);
        }));
    }
    if (!job.pdf.isEmpty()) {
        const SheetContent sheet = sheetOf(section, settings);
        fail(writeAtomically(job.pdf, [&](QIODevice& file) { return WriteSheetPdf(file, sheet); }));
    }
    if (!job.dat.isEmpty()) {
        fail(WriteOutput(job.dat, input.dataFile));
    }
    if (job.templates.any()) {
        fail(ExportTemplates(job.input, section.curves, SectionName(section.title(), sourceName),
                             settings.templates, job.templates, settings.fontName, &WriteOutput));
    }
    if (job.foam.any()) {
        fail(ExportFoamCut(job.input, section.curves, SectionName(section.title(), sourceName),
                           settings.templates, settings.foam, job.foam, &WriteOutput));
    }
    return report;
}

}  // namespace vandrix
