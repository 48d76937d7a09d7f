// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportCommand.h"

#include "PrintableName.h"
#include "TemplateOptions.h"
#include "export/ExportBatch.h"
#include "export/ExportJob.h"
#include "export/TempFiles.h"
#include "formats/InputFile.h"
#include "formats/LanguageFile.h"
#include "formats/SectionTable.h"
#include "formats/SettingsFile.h"
#include "formats/ShippedFiles.h"
#include "model/Conversions.h"
#include "model/PathBytes.h"
#include "model/Scales.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QThread>

#include <memory>

#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <optional>

namespace vandrix {

namespace {

constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// Names in the line are shown with control characters escaped: a name may hold any byte.
void printLine(const QString& line) {
    std::fputs(
        (QStringLiteral("vandrix-export: ") + PrintableName(line) + QLatin1Char('\n')).toUtf8(),
        stderr);
}

// A usage error: the reason and where to find help.
int usageError(const QString& reason) {
    printLine(reason);
    std::fputs("Try 'vandrix-export --help' for more information.\n", stderr);
    return ExitUsage;
}

// Each option's value, or the usage error that names the option and what is wrong with it.
Result<std::int16_t> screenScaleFrom(const QString& text) {
    const Result<std::int16_t> scale = TextToInt16(text);
    const QString wrong = !scale ? scale.error() : TakeScreenScale(scale.value()).clampMessage;
    return wrong.isEmpty() ? scale
                           : Result<std::int16_t>::failure(
                                 QStringLiteral("--screen-scale %1: %2").arg(text, wrong));
}

Result<double> printerScaleFrom(const QString& text) {
    const Result<double> scale = NumericPrefix(QStringView(text));
    const QString wrong = !scale ? scale.error() : TakePrinterScale(scale.value()).clampMessage;
    return wrong.isEmpty()
               ? scale
               : Result<double>::failure(QStringLiteral("--printer-scale %1: %2").arg(text, wrong));
}

Result<std::int16_t> languageFrom(const QString& text) {
    Result<std::int16_t> language = TextToInt16(text);
    if (!language || language.value() < 1) {
        return Result<std::int16_t>::failure(
            QStringLiteral("--language %1: not a language number").arg(text));
    }
    return language;
}

Result<int> threadsFrom(const QString& text) {
    Result<int> threads = TypedWholeNumber(text);
    if (!threads || threads.value() < 1) {
        return Result<int>::failure(QStringLiteral("-j %1: not a number of threads").arg(text));
    }
    return threads;
}

// The settings file of a program directory, as the viewer reads it at start-up.
Status readProgramDirectory(const QString& dir, ExportSettings& settings) {
    const QString setPath = QDir(dir).filePath(QLatin1String(SettingsFileName));
    const Result<SettingsRead> settingsFile = ReadSettingsFile(setPath);
    if (!settingsFile) {
        return Status::failure(settingsFile.error());
    }
    const SettingsRead& read = settingsFile.value();
    for (const QString& message : read.messages) {
        printLine(setPath + QStringLiteral(": warning: ") + message);
    }
    settings.language = read.language.value_or(settings.language);
    settings.screenScale = read.screenScale.value_or(settings.screenScale);
    settings.printerScale = read.printerScale.value_or(settings.printerScale);
    return Status::success();
}

// The sheet's font for the language from a language file, or nothing when it cannot be read.
std::optional<QString> fontFrom(const QString& path, std::int16_t language) {
    const Result<LanguageRead> read = ReadLanguageFile(path, language);
    if (!read) {
        return std::nullopt;
    }
    return read.value().text(LanguageSection::FontName).value_or(QString());
}

// Takes an option's value when it is given; the usage error, if any, is kept in `error`.
template <typename T>
void take(const QCommandLineParser& parser, const QCommandLineOption& option,
          Result<T> (*from)(const QString&), T& value, QString& error) {
    if (!error.isEmpty() || !parser.isSet(option)) {
        return;
    }
    const Result<T> taken = from(parser.value(option));
    if (taken) {
        value = taken.value();
    } else {
        error = taken.error();
    }
}

// Files done out of all, on one line that rewrites itself.
class Progress {
public:
    Progress(std::size_t total, bool shown) : total_(total), shown_(shown) {}

    void message(const QString& line) const {
        clear();
        printLine(line);
    }
    void step() {
        ++done_;
        if (shown_) {
            std::fprintf(stderr, "\rvandrix-export: %zu/%zu", done_, total_);
            std::fflush(stderr);
        }
    }
    void clear() const {
        if (shown_ && done_ > 0) {
            std::fputs("\r\033[K", stderr);
        }
    }

private:
    std::size_t total_;
    bool shown_;
    std::size_t done_ = 0;
};

// The table to standard output ("-") or to a file, written whole under its name. Empty, or the
// line to report.
QString writeTable(const QString& path, const QByteArray& table) {
    if (path != QLatin1String("-")) {
        return WriteOutput(path, table);
    }
    // Flushed here: an error the C library meets only at exit would go unreported.
    const bool written = std::fwrite(table.constData(), 1, std::size_t(table.size()), stdout) ==
                             std::size_t(table.size()) &&
                         std::fflush(stdout) == 0;
    return written ? QString()
                   : QStringLiteral("-: cannot write to standard output: %1").arg(ErrnoText(errno));
}

// The command line's options.
struct Options {
    QCommandLineOption pdf{QStringLiteral("pdf"),
                           QStringLiteral("The printed A4 sheet (the default).")};
    QCommandLineOption png{QStringLiteral("png"), QStringLiteral("The screen plot as PNG.")};
    QCommandLineOption svg{QStringLiteral("svg"), QStringLiteral("The screen plot as SVG.")};
    QCommandLineOption dat{QStringLiteral("dat"),
                           QStringLiteral("The input's data file, in the viewer's format.")};
    QCommandLineOption table{
        QStringLiteral("table"),
        QStringLiteral("A CSV table of each input's measures (name, format, points, thickness, "
                       "camber, leading-edge radius, trailing-edge gap, warnings; a refused "
                       "input with its reason) into FILE, - for standard output. Alone, it "
                       "writes no PDF."),
        QStringLiteral("FILE")};
    QCommandLineOption screenScale{QStringLiteral("screen-scale"),
                                   QStringLiteral("Screen scale (default 1000, max 1400)."),
                                   QStringLiteral("N")};
    QCommandLineOption printerScale{
        QStringLiteral("printer-scale"),
        QStringLiteral("Printer scale in mm per data unit (default 150, max 180)."),
        QStringLiteral("MM")};
    QCommandLineOption language{QStringLiteral("language"),
                                QStringLiteral("Language number (default 1)."),
                                QStringLiteral("N")};
    QCommandLineOption programDir{
        QStringLiteral("program-dir"),
        QStringLiteral("Take language and scales from DIR/Set.txt, the font from "
                       "DIR/Language.txt."),
        QStringLiteral("DIR")};
    QCommandLineOption outputDir{
        QStringList{QStringLiteral("o"), QStringLiteral("output-dir")},
        QStringLiteral("Write the outputs into DIR (default: the current directory)."),
        QStringLiteral("DIR"), QStringLiteral(".")};
    QCommandLineOption jobs{QStringList{QStringLiteral("j"), QStringLiteral("jobs")},
                            QStringLiteral("Worker threads (default: the number of cores)."),
                            QStringLiteral("N")};
    QCommandLineOption name{QStringLiteral("name"),
                            QStringLiteral("Name the outputs of standard input (-) STEM.* "
                                           "(default: stdin.*)."),
                            QStringLiteral("STEM")};

    explicit Options(QCommandLineParser& parser) {
        parser.setApplicationDescription(
            QStringLiteral("Writes the printed sheet (PDF) and the screen plot (PNG, SVG) of "
                           "Vandrix data files, and true-size templates (DXF, SVG, tiled PDF) "
                           "for building ribs."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({pdf, png, svg, dat, table, screenScale, printerScale, language,
                           programDir, outputDir, jobs, name});
        parser.addPositionalArgument(
            QStringLiteral("FILE"),
            QStringLiteral("Data or section files; - is standard input. Pipes are read once, "
                           "without waiting for a writer that is not there; directories and "
                           "devices are refused. SIGINT, SIGTERM and SIGHUP remove unfinished "
                           "outputs and end the run with 130, 143 and 129."),
            QStringLiteral("FILE..."));
    }
};

// Only the sheet needs fonts, and with them the platform's services; the plot draws on images.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv, bool withFonts) {
    if (!withFonts) {
        return std::make_unique<QCoreApplication>(argc, argv);
    }
    // Starting the platform complains about a missing runtime directory, which nothing here uses.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
                previous(type, context, message);
            }
        });
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(previous);
    return app;
}

}  // namespace

int RunExportCommand(int& argc, char** argv) {
    // Unfinished outputs are removed on a termination signal from the start.
    InstallTempFileCleanup();
    // Names are bytes: one that is not UTF-8 is kept exactly (see PathFromBytes).
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << PathFromBytes(QByteArray(argv[i]));
    }
    QCommandLineParser parser;
    const Options options(parser);
    const TemplateOptions templateOptions(parser);
    const bool parsed = parser.parse(arguments);
    // The sheet is the output when no other is asked for.
    const bool sheetPdf =
        parser.isSet(options.pdf) ||
        !(parser.isSet(options.png) || parser.isSet(options.svg) || parser.isSet(options.dat) ||
          parser.isSet(options.table) || templateOptions.anyOutput(parser));
    const bool pdfWanted = sheetPdf || templateOptions.wantsPdf(parser);
    // Help, the version and a missing input are answered without the platform: starting it
    // would make its font database set fontconfig up when the application ends.
    const bool answersOnly =
        parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")) ||
        parser.isSet(QStringLiteral("version")) || parser.positionalArguments().isEmpty();
    const std::unique_ptr<QCoreApplication> app =
        makeApplication(argc, argv, parsed && pdfWanted && !answersOnly);
    // Writing an image would otherwise load every image-format plugin to ask whether one of them
    // wants to write PNG in place of Qt's own writer. The platform, when needed, is loaded.
    QCoreApplication::setLibraryPaths({});
    QCoreApplication::setApplicationName(QStringLiteral("vandrix-export"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANDRIX_VERSION));

    if (!parsed) {
        return usageError(parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(parser.helpText().toLocal8Bit(), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::fputs((QCoreApplication::applicationName() + QLatin1Char(' ') +
                    QCoreApplication::applicationVersion() + QLatin1Char('\n'))
                       .toLocal8Bit(),
                   stdout);
        return 0;
    }
    const QStringList inputs = parser.positionalArguments();
    if (inputs.isEmpty()) {
        return usageError(QStringLiteral("no input files"));
    }

    ExportSettings settings;
    settings.png = parser.isSet(options.png);
    settings.svg = parser.isSet(options.svg);
    settings.dat = parser.isSet(options.dat);
    settings.table = parser.isSet(options.table);
    settings.pdf = sheetPdf;
    int threads = std::max(QThread::idealThreadCount(), 1);
    const QString outDir = parser.value(options.outputDir);
    if (parser.isSet(options.name)) {
        settings.stdinName = parser.value(options.name);
        if (settings.stdinName.isEmpty() || settings.stdinName.contains(QLatin1Char('/')) ||
            settings.stdinName == QLatin1String(".") || settings.stdinName == QLatin1String("..")) {
            return usageError(QStringLiteral("--name %1: not a file name without a directory")
                                  .arg(settings.stdinName));
        }
    }
    if (parser.isSet(options.programDir)) {
        const Status read = readProgramDirectory(parser.value(options.programDir), settings);
        if (!read) {
            return usageError(read.error());
        }
    }
    QString wrong;
    take(parser, options.language, &languageFrom, settings.language, wrong);
    take(parser, options.screenScale, &screenScaleFrom, settings.screenScale, wrong);
    take(parser, options.printerScale, &printerScaleFrom, settings.printerScale, wrong);
    take(parser, options.jobs, &threadsFrom, threads, wrong);
    if (!wrong.isEmpty()) {
        return usageError(wrong);
    }
    const Result<TemplateSettings> templates =
        templateOptions.read(parser, settings.printerScale, inputs.size());
    if (!templates) {
        return usageError(templates.error());
    }
    settings.templates = templates.value();
    if (settings.pdf || settings.templates.pdf) {
        const QString languageFile =
            parser.isSet(options.programDir)
                ? QDir(parser.value(options.programDir)).filePath(QLatin1String(LanguageFileName))
                : ShippedLanguageFile();
        const std::optional<QString> font =
            languageFile.isEmpty() ? std::nullopt : fontFrom(languageFile, settings.language);
        if (!font) {
            printLine(QStringLiteral("warning: no language file%1; the sheet takes the "
                                     "default font")
                          .arg(languageFile.isEmpty() ? QString()
                                                      : QStringLiteral(" at ") + languageFile));
        }
        settings.fontName = font.value_or(QString());
    }

    const std::vector<ExportJob> planned = PlanExports(inputs, outDir, settings);
    if (settings.table) {
        if (const Status table =
                CheckTablePath(parser.value(options.table), inputs, planned, settings);
            !table) {
            return usageError(table.error());
        }
    }
    Progress progress(planned.size(), planned.size() > 1 && isatty(STDERR_FILENO) != 0);
    bool failed = false;
    // Reports are printed in the order of the inputs, each as soon as those before it are done.
    std::vector<std::optional<ExportReport>> reports(planned.size());
    std::size_t nextToPrint = 0;
    QByteArray table = settings.table ? SectionTableHeader() : QByteArray();
    RunExports(planned, settings, threads, [&](std::size_t job, const ExportReport& report) {
        reports[job] = report;
        for (; nextToPrint < reports.size() && reports[nextToPrint]; ++nextToPrint) {
            const ExportReport& done = *reports[nextToPrint];
            for (const QString& line : done.warnings) {
                progress.message(line);
            }
            for (const QString& line : done.errors) {
                progress.message(line);
            }
            failed = failed || !done.errors.isEmpty();
            table += done.tableRow;
            reports[nextToPrint].reset();
        }
        progress.step();
    });
    progress.clear();
    if (settings.table) {
        const QString path = parser.value(options.table);
        if (const QString error = writeTable(path, table); !error.isEmpty()) {
            printLine(error);
            failed = true;
        }
    }
    return failed ? ExitFailed : 0;
}

}  // namespace vandrix
