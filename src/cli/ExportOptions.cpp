// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportOptions.h"

#include "FoamOptions.h"
#include "TemplateOptions.h"
#include "export/OverlayExport.h"
#include "model/Conversions.h"
#include "model/Scales.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace vandrix {

namespace {

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
                       "input with its reason; then the thin-aerofoil zero-lift angle in degrees "
                       "and moment coefficient about the quarter chord) into FILE, - for "
                       "standard output. Alone, it writes no PDF."),
        QStringLiteral("FILE")};
    QCommandLineOption screenScale{
        QStringLiteral("screen-scale"),
        QStringLiteral("Screen scale (default %1, max %2).")
            .arg(Int16ToText(FirstScreenScale), Int16ToText(MaxScreenScale)),
        QStringLiteral("N")};
    QCommandLineOption printerScale{
        QStringLiteral("printer-scale"),
        QStringLiteral("Printer scale in mm per data unit (default %1, max %2).")
            .arg(DoubleToText(FirstPrinterScale), DoubleToText(MaxPrinterScale)),
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
                           "Vandrix data files, true-size templates (DXF, SVG, tiled PDF) "
                           "for building ribs, and G-code for cutting foam cores."));
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

// --overlay: the inputs drawn together in a picture of their own.
struct OverlayOption {
    QCommandLineOption overlay{
        QStringLiteral("overlay"),
        QStringLiteral("Draw the inputs (%1 to %2) together into OUT (.png, .svg or .pdf): each "
                       "section in a colour of its own over the screen plot's grid, and a legend "
                       "of their names. OUT is not under -o. Alone, it writes no PDF.")
            .arg(MinOverlayInputs)
            .arg(MaxOverlaySections),
        QStringLiteral("OUT")};

    explicit OverlayOption(QCommandLineParser& parser) { parser.addOption(overlay); }

    bool given(const QCommandLineParser& parser) const { return parser.isSet(overlay); }

    // The overlay's path into the request, when given; or the usage error.
    Status read(const QCommandLineParser& parser, ExportRequest& request) const {
        if (!given(parser)) {
            return Status::success();
        }
        request.settings.overlay = true;
        request.overlayPath = parser.value(overlay);
        return CheckOverlayRequest(request.overlayPath, request.inputs.size());
    }
};

// Each option's value, or the usage error that names the option and what is wrong with it. The
// scales and the language are read as the scale boxes and Set.txt read them (NumericPrefix).
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

Status nameCheck(const QString& stem) {
    if (stem.isEmpty() || stem.contains(QLatin1Char('/')) || stem == QLatin1String(".") ||
        stem == QLatin1String("..")) {
        return Status::failure(
            QStringLiteral("--name %1: not a file name without a directory").arg(stem));
    }
    return Status::success();
}

// The option's value read by `from` into `to` when the option is given; or its usage error.
template <typename T, typename To>
Status take(const QCommandLineParser& parser, const QCommandLineOption& option,
            Result<T> (*from)(const QString&), To& to) {
    if (!parser.isSet(option)) {
        return Status::success();
    }
    const Result<T> value = from(parser.value(option));
    if (!value) {
        return Status::failure(value.error());
    }
    to = value.value();
    return Status::success();
}

// The language, scales and threads as given, in that order; the first that is wrong is the
// usage error.
Status takeValues(const QCommandLineParser& parser, const Options& options,
                  ExportRequest& request) {
    ExportSettings& settings = request.settings;
    request.languageGiven = parser.isSet(options.language);
    request.screenScaleGiven = parser.isSet(options.screenScale);
    request.printerScaleGiven = parser.isSet(options.printerScale);
    Status taken = take(parser, options.language, &languageFrom, settings.language);
    if (taken) {
        taken = take(parser, options.screenScale, &screenScaleFrom, settings.screenScale);
    }
    if (taken) {
        taken = take(parser, options.printerScale, &printerScaleFrom, settings.printerScale);
    }
    if (taken) {
        taken = take(parser, options.jobs, &threadsFrom, request.threads);
    }
    return taken;
}

}  // namespace

Result<ExportRequest> ParseExportArguments(const QStringList& arguments) {
    using Request = Result<ExportRequest>;
    QCommandLineParser parser;
    const Options options(parser);
    const TemplateOptions templateOptions(parser);
    const OverlayOption overlayOption(parser);
    const FoamOptions foamOptions(parser);
    if (!parser.parse(arguments)) {
        return Request::failure(parser.errorText());
    }
    ExportRequest request;
    request.help = parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"));
    request.version = parser.isSet(QStringLiteral("version"));
    request.inputs = parser.positionalArguments();
    if (request.help || request.version) {
        return Request::success(std::move(request));
    }
    if (request.inputs.isEmpty()) {
        return Request::failure(QStringLiteral("no input files"));
    }
    ExportSettings& settings = request.settings;
    settings.png = parser.isSet(options.png);
    settings.svg = parser.isSet(options.svg);
    settings.dat = parser.isSet(options.dat);
    settings.table = parser.isSet(options.table);
    // The sheet is the output when no other is asked for.
    settings.pdf = parser.isSet(options.pdf) ||
                   !(settings.png || settings.svg || settings.dat || settings.table ||
                     templateOptions.anyOutput(parser) || overlayOption.given(parser) ||
                     foamOptions.wanted(parser));
    request.tablePath = parser.value(options.table);
    request.outputDir = parser.value(options.outputDir);
    if (parser.isSet(options.name)) {
        settings.stdinName = parser.value(options.name);
        if (const Status name = nameCheck(settings.stdinName); !name) {
            return Request::failure(name.error());
        }
    }
    if (parser.isSet(options.programDir)) {
        request.programDir = parser.value(options.programDir);
    }
    if (const Status values = takeValues(parser, options, request); !values) {
        return Request::failure(values.error());
    }
    // The printer scale is settled unless the program directory's Set.txt may give it.
    const bool scaleSettled = !request.programDir || request.printerScaleGiven;
    Result<TemplateSettings> templates = templateOptions.read(
        parser, scaleSettled ? std::optional<double>(settings.printerScale) : std::nullopt,
        request.inputs.size(), foamOptions.wanted(parser));
    if (!templates) {
        return Request::failure(templates.error());
    }
    settings.templates = templates.take();
    Result<FoamSettings> foam =
        foamOptions.read(parser, request.inputs.size(), settings.templates.features);
    if (!foam) {
        return Request::failure(foam.error());
    }
    settings.foam = foam.take();
    request.chordGiven = parser.isSet(templateOptions.chord);
    if (const Status overlay = overlayOption.read(parser, request); !overlay) {
        return Request::failure(overlay.error());
    }
    return Request::success(std::move(request));
}

Result<ExportSettings> WithProgramSettings(const ExportRequest& request, const SettingsRead& read) {
    ExportSettings settings = request.settings;
    if (!request.languageGiven) {
        settings.language = read.language.value_or(settings.language);
    }
    if (!request.screenScaleGiven) {
        settings.screenScale = read.screenScale.value_or(settings.screenScale);
    }
    if (!request.printerScaleGiven) {
        settings.printerScale = read.printerScale.value_or(settings.printerScale);
    }
    if (!request.chordGiven) {
        const Result<double> chord = DefaultTemplateChord(
            settings.templates.any() || settings.foam.gcode, settings.printerScale);
        if (!chord) {
            return Result<ExportSettings>::failure(chord.error());
        }
        settings.templates.chord = chord.value();
    }
    return Result<ExportSettings>::success(std::move(settings));
}

QString ExportHelpText() {
    QCommandLineParser parser;
    const Options options(parser);
    const TemplateOptions templateOptions(parser);
    const OverlayOption overlayOption(parser);
    const FoamOptions foamOptions(parser);
    return parser.helpText();
}

}  // namespace vandrix
