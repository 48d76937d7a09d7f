#include "ExportJob.h"

#include "DataFileBytes.h"
#include "app/AppState.h"
#include "datafile/DataFile.h"
#include "output/PagedPrintSurface.h"
#include "output/PlotGeometry.h"
#include "output/PlotPainter.h"
#include "output/PrintSheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSet>
#include <QSvgGenerator>

#include <functional>

namespace vandrix {

namespace {

// PNG's zlib level 1 of 9: the plot is mostly white, so a quick pass compresses it well.
constexpr int PngQuality = 80;

// The path an existing file or a file to be created is known by, for comparisons.
QString identity(const QString& path) {
    const QFileInfo info(path);
    const QString dir = QFileInfo(info.absolutePath()).canonicalFilePath();
    return dir.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                         : dir + QLatin1Char('/') + info.fileName();
}

Result<QByteArray> readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Result<QByteArray>::failure(file.errorString());
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return Result<QByteArray>::failure(file.errorString());
    }
    return Result<QByteArray>::success(std::move(bytes));
}

// Writes a file through `write` under a temporary name and gives it its final name only when
// everything was written. Empty, or the line to report.
QString writeAtomically(const QString& path, const std::function<QString(QSaveFile&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return path + QStringLiteral(": ") + file.errorString();
    }
    const QString error = write(file);
    if (!error.isEmpty()) {
        file.cancelWriting();
        return path + QStringLiteral(": ") + error;
    }
    if (!file.commit()) {
        return path + QStringLiteral(": ") + file.errorString();
    }
    return {};
}

QString writePng(QSaveFile& file, const ScreenPlot& plot) {
    QImage image(ScreenPlotSize, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        PlotPainter plotter(painter, ScreenPlotSize, ScreenPlotFrame);
        DrawScreenPlot(plotter, plot);
    }
    QImageWriter writer(&file, "png");
    writer.setQuality(PngQuality);
    if (!writer.write(image)) {
        return file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
    }
    return {};
}

QString writeSvg(QSaveFile& file, const ScreenPlot& plot) {
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

QString writePdf(QSaveFile& file, const SheetContent& sheet) {
    PdfPrintSurface surface(file, file.fileName());
    const QString error = PrintSheet(surface, sheet);
    if (!error.isEmpty()) {
        return error;
    }
    return file.error() != QFileDevice::NoError ? file.errorString() : QString();
}

}  // namespace

Result<QByteArray> DataFileBytes(const QString& path) {
    return readAll(path);
}

std::vector<ExportJob> PlanExports(const QStringList& inputs, const QString& outputDir,
                                   const ExportSettings& settings) {
    const QDir dir(outputDir);
    QSet<QString> inputIds;
    for (const QString& input : inputs) {
        inputIds.insert(identity(input));
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
        QStringList ids;
        for (const QString* output : {&job.pdf, &job.png, &job.svg, &job.dat}) {
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

ExportReport RunExport(const ExportJob& job, const ExportSettings& settings) {
    ExportReport report;
    if (!job.refusal.isEmpty()) {
        report.errors << job.refusal;
        return report;
    }
    AppState state;
    state.Language = settings.language;
    state.DataPath = job.input;
    state.DataName = QFileInfo(job.input).fileName();
    state.ScreenScale = settings.screenScale;
    state.PrinterScale = settings.printerScale;
    state.LangFontName = settings.fontName;
    const DataFileOutcome data = ReadDataFile(state);
    if (!data.messages.isEmpty()) {
        report.errors << job.input + QStringLiteral(": ") + data.messages.join(QLatin1Char(' '));
        return report;
    }
    if (state.ReadStop == 1) {
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
        const ScreenPlot plot = ComputeScreenPlot(state.ScreenScale, state.PointX, state.PointY);
        if (!job.png.isEmpty()) {
            fail(writeAtomically(job.png, [&](QSaveFile& file) { return writePng(file, plot); }));
        }
        if (!job.svg.isEmpty()) {
            fail(writeAtomically(job.svg, [&](QSaveFile& file) { return writeSvg(file, plot); }));
        }
    }
    if (!job.pdf.isEmpty()) {
        // The sheet shows what the window would: the first value as the title, then pairs 2..8.
        SheetContent sheet{state.LangFontName,
                           data.values[0].value_or(QString()),
                           {},
                           {},
                           state.PrinterScale,
                           state.PointX,
                           state.PointY};
        for (std::size_t row = 0; row < sheet.captions.size(); ++row) {
            sheet.captions.at(row) = data.labels.at(row + 1).value_or(QString());
            sheet.values.at(row) = data.values.at(row + 1).value_or(QString());
        }
        fail(writeAtomically(job.pdf, [&](QSaveFile& file) { return writePdf(file, sheet); }));
    }
    if (!job.dat.isEmpty()) {
        const Result<QByteArray> bytes = DataFileBytes(job.input);
        if (!bytes) {
            report.errors << job.input + QStringLiteral(": ") + bytes.error();
        } else {
            fail(writeAtomically(job.dat, [&](QSaveFile& file) {
                return file.write(bytes.value()) == bytes.value().size() ? QString()
                                                                         : file.errorString();
            }));
        }
    }
    return report;
}

}  // namespace vandrix
