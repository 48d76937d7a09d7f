// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ExportOptions.h"
#include "model/Conversions.h"

#include <QMap>
#include <QTest>

#include <initializer_list>
#include <utility>

using namespace vandrix;

namespace {

Result<ExportRequest> parse(const QStringList& arguments) {
    return ParseExportArguments(QStringList{QStringLiteral("vandrix-export")} + arguments);
}

// The names whose flag is set, in order.
QString namesOf(std::initializer_list<std::pair<bool, const char*>> flags) {
    QStringList names;
    for (const auto& [on, name] : flags) {
        if (on) {
            names << QLatin1String(name);
        }
    }
    return names.join(u' ');
}

// The request's fields as "key=value" texts, for rows to name the ones they check.
QMap<QString, QString> fieldsOf(const ExportRequest& request, const ExportSettings& settings) {
    const TemplateSettings& templates = settings.templates;
    const FoamSettings& foam = settings.foam;
    QStringList spars;
    for (const SparNotch& spar : templates.features.spars) {
        spars << QStringLiteral("%1:%2:%3:%4")
                     .arg(DoubleToText(spar.position), DoubleToText(spar.width),
                          DoubleToText(spar.depth))
                     .arg(int(spar.side));
    }
    const auto optional = [](const auto& value, auto toText) {
        return value ? toText(*value) : QStringLiteral("-");
    };
    return {
        {"answer", request.help      ? "help"
                   : request.version ? "version"
                                     : "run"},
        {"inputs", request.inputs.join(u' ')},
        {"outputs", namesOf({{settings.pdf, "pdf"},
                             {settings.png, "png"},
                             {settings.svg, "svg"},
                             {settings.dat, "dat"},
                             {settings.table, "table"},
                             {templates.dxf, "dxf"},
                             {templates.pdf, "template"},
                             {templates.svg, "template-svg"},
                             {settings.overlay, "overlay"},
                             {settings.foam.gcode, "gcode"}})},
        {"given", namesOf({{request.languageGiven, "language"},
                           {request.screenScaleGiven, "screen"},
                           {request.printerScaleGiven, "printer"},
                           {request.chordGiven, "chord"}})},
        {"language", QString::number(settings.language)},
        {"screen", QString::number(settings.screenScale)},
        {"printer", DoubleToText(settings.printerScale)},
        {"chord", DoubleToText(templates.chord)},
        {"te", DoubleToText(templates.features.teThickness)},
        {"inset", DoubleToText(templates.features.inset)},
        {"spars", spars.join(u' ')},
        {"ribs", QString::number(templates.ribs)},
        {"tip", templates.tip},
        {"tip-chord", optional(templates.tipChord, &DoubleToText)},
        {"name", settings.stdinName},
        {"out", request.outputDir},
        {"table", request.tablePath},
        {"overlay", request.overlayPath},
        {"program-dir", optional(request.programDir, [](const QString& dir) { return dir; })},
        {"threads", optional(request.threads, [](int n) { return QString::number(n); })},
        {"span", DoubleToText(foam.machine.span)},
        {"towers", DoubleToText(foam.machine.towers)},
        {"root-at", optional(foam.machine.rootAt, &DoubleToText)},
        {"root-side", foam.machine.rootSide == RootSide::Left ? "left" : "right"},
        {"origin", DoubleToText(foam.origin.x()) + u':' + DoubleToText(foam.origin.y())},
        {"sweep", DoubleToText(foam.sweep)},
        {"washout", DoubleToText(foam.washout)},
        {"kerf", DoubleToText(foam.kerf)},
        {"tip-kerf", optional(foam.tipKerf, &DoubleToText)},
        {"lead-in", DoubleToText(foam.leadIn)},
        {"feed", DoubleToText(foam.feed)},
        {"travel",
         optional(foam.travel,
                  [](QSizeF t) { return QStringLiteral("%1:%2").arg(t.width()).arg(t.height()); })},
        {"axes", foam.axes},
        {"wire", foam.wireOn + u'/' + foam.wireOff},
        {"preheat", DoubleToText(foam.preheat)},
    };
}

void compareFields(const QMap<QString, QString>& fields, const QStringList& expected) {
    for (const QString& field : expected) {
        const QString key = field.section(u'=', 0, 0);
        QVERIFY2(fields.contains(key), qPrintable(key));
        QCOMPARE(key + u'=' + fields.value(key), field);
    }
}

}  // namespace

// vandrix-export's command line read into a request, without running it.
class TestExportOptions : public QObject {
    Q_OBJECT

private slots:
    void usageError_data();
    void usageError();
    void request_data();
    void request();
    void programSettings_data();
    void programSettings();
    void helpFromTheConstants();
};

void TestExportOptions::usageError_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, const QStringList& arguments, const char* message) {
        QTest::newRow(name) << arguments << QString::fromUtf8(message);
    };
    row("unknown option", {"--jpeg", "a.dat"}, "Unknown option 'jpeg'.");
    row("missing value", {"a.dat", "--chord"}, "Missing value after '--chord'.");
    row("no input files", {"--png"}, "no input files");
    row("screen scale above its maximum", {"--screen-scale", "1401", "a.dat"},
        "--screen-scale 1401: Max = 1400");
    row("screen scale beyond 16 bits", {"--screen-scale", "40000", "a.dat"},
        "--screen-scale 40000: Overflow");
    row("printer scale above its maximum", {"--printer-scale", "180.5", "a.dat"},
        "--printer-scale 180.5: Max = 180");
    row("printer scale beyond a double", {"--printer-scale", "1e999", "a.dat"},
        "--printer-scale 1e999: Overflow");
    row("language 0", {"--language", "0", "a.dat"}, "--language 0: not a language number");
    row("language as text", {"--language", "ja", "a.dat"}, "--language ja: not a language number");
    row("language empty", {"--language=", "a.dat"}, "--language : not a language number");
    row("no threads", {"-j", "0", "a.dat"}, "-j 0: not a number of threads");
    row("threads as a fraction", {"-j", "1.5", "a.dat"}, "-j 1.5: not a number of threads");
    row("threads named long", {"--jobs", "-3", "a.dat"}, "-j -3: not a number of threads");
    row("threads in no-break spaces", {"-j", "\u00a02", "a.dat"},
        "-j \u00a02: not a number of threads");
    row("name with a directory", {"--name", "a/b", "-"},
        "--name a/b: not a file name without a directory");
    row("name ..", {"--name", "..", "-"}, "--name ..: not a file name without a directory");
    row("name empty", {"--name=", "-"}, "--name : not a file name without a directory");
    row("tip without --ribs", {"--tip", "b.dat", "a.dat"},
        "--tip and --tip-chord belong to --ribs N or --gcode");
    row("tip chord without --ribs", {"--tip-chord", "100", "a.dat"},
        "--tip and --tip-chord belong to --ribs N or --gcode");
    row("one rib", {"--ribs", "1", "--tip", "b.dat", "a.dat"},
        "--ribs 1: a rib set has 2 ribs or more");
    row("ribs as text", {"--ribs", "x", "--tip", "b.dat", "a.dat"},
        "--ribs x: a rib set has 2 ribs or more");
    row("ribs without a tip", {"--ribs", "3", "a.dat"}, "--ribs needs --tip FILE");
    row("ribs of two roots", {"--ribs", "3", "--tip", "b.dat", "a.dat", "c.dat"},
        "--ribs takes exactly one input, the root; 2 given");
    row("chord 0", {"--dxf", "--chord", "0", "a.dat"}, "--chord 0: a chord is 1 to 5,000 mm");
    row("chord not a number", {"--chord", "1e", "a.dat"}, "--chord 1e: not a number");
    row("tip chord 0", {"--ribs", "3", "--tip", "b.dat", "--tip-chord", "0", "a.dat"},
        "--tip-chord 0: a chord is 1 to 5,000 mm");
    row("default chord out of range", {"--dxf", "--printer-scale", "0.5", "a.dat"},
        "--chord: the default, the printer scale of 0.5 mm, is not 1 to 5,000 mm");
    row("negative trailing edge", {"--te-thickness", "-1", "a.dat"},
        "--te-thickness -1: not a length of 0 mm or more");
    row("inset not a number", {"--inset", "x", "a.dat"}, "--inset x: not a number");
    row("negative inset", {"--inset", "-1", "a.dat"}, "--inset -1: not a length of 0 mm or more");
    row("spar of two parts", {"--spar", "30:6", "a.dat"},
        "--spar 30:6: not POS:WIDTH:DEPTH[:upper|lower|both]");
    row("second spar wrong", {"--spar", "30:6:5", "--spar", "30:6:5:top", "a.dat"},
        "--spar 30:6:5:top: the side is not upper, lower or both");
    row("overlay of one input", {"--overlay", "o.png", "a.dat"},
        "--overlay takes 2 to 8 inputs; 1 given");
    row("overlay of nine inputs",
        {"--overlay", "o.svg", "1", "2", "3", "4", "5", "6", "7", "8", "9"},
        "--overlay takes 2 to 8 inputs; 9 given");
    row("overlay as JPEG", {"--overlay", "o.jpg", "a.dat", "b.dat"},
        "--overlay o.jpg: not a .png, .svg or .pdf file");
    row("overlay's format before its count", {"--overlay", "o.gif", "a.dat"},
        "--overlay o.gif: not a .png, .svg or .pdf file");
    row("overlay in a folder named .png", {"--overlay", "o.png/x", "a.dat", "b.dat"},
        "--overlay o.png/x: not a .png, .svg or .pdf file");
    row("overlay with more after .png", {"--overlay", "o.png.txt", "a.dat", "b.dat"},
        "--overlay o.png.txt: not a .png, .svg or .pdf file");
    // A foam core's: each bad value.
    const auto foam = [](const char* name, const QStringList& arguments, const char* message) {
        QTest::newRow(name) << QStringList{"--gcode", "--span", "600", "--towers", "800"} +
                                   arguments + QStringList{"a.dat"}
                            << QString::fromUtf8(message);
    };
    const char* needs = "--gcode needs --span MM and --towers MM";
    const char* axes = "not four distinct letters of XYZABCUVW";
    row("gcode without a span", {"--gcode", "--towers", "800", "a.dat"}, needs);
    row("gcode without towers", {"--gcode", "--span", "600", "a.dat"}, needs);
    row("a machine option without --gcode", {"--kerf", "1", "a.dat"}, "--kerf belongs to --gcode");
    foam("gcode of two inputs", {"b.dat"}, "--gcode takes exactly one input, the root; 2 given");
    foam("span 0", {"--span", "0"}, "--span 0: not a length above 0 mm");
    foam("span as text", {"--span", "wide"}, "--span wide: not a length above 0 mm");
    foam("negative towers", {"--towers", "-800"}, "--towers -800: not a length above 0 mm");
    foam("span wider than the towers", {"--span", "801"},
         "a span of 801 mm does not fit between towers 800 mm apart");
    foam("root face too far out", {"--root-at", "250"},
         "the root face at 250 mm and a span of 600 mm do not fit between towers 800 mm apart");
    foam("root face negative", {"--root-at", "-1"}, "--root-at -1: not a length of 0 mm or more");
    foam("kerf above 5 mm", {"--kerf", "5.01"}, "--kerf 5.01: a kerf is 0 to 5 mm");
    foam("negative tip kerf", {"--tip-kerf", "-0.1"}, "--tip-kerf -0.1: a kerf is 0 to 5 mm");
    foam("feed 0", {"--feed", "0"}, "--feed 0: not a speed above 0 mm/min");
    foam("negative lead-in", {"--lead-in", "-2"}, "--lead-in -2: not a length of 0 mm or more");
    foam("washout beyond 45", {"--washout", "45.5"},
         "--washout 45.5: a washout is at most 45 degrees either way");
    foam("wash-in beyond 45", {"--washout", "-46"},
         "--washout -46: a washout is at most 45 degrees either way");
    foam("origin of one number", {"--origin", "20"}, "--origin 20: not two numbers H:V");
    foam("origin of three", {"--origin", "20:30:1"}, "--origin 20:30:1: not two numbers H:V");
    foam("travel of text", {"--travel", "600:x"},
         "--travel 600:x: not two lengths above 0 mm, H:V");
    foam("travel of 0", {"--travel", "0:400"}, "--travel 0:400: not two lengths above 0 mm, H:V");
    foam("root side up", {"--root-side", "up"}, "--root-side up: not left or right");
    foam("three axes", {"--axes", "XYU"}, qPrintable(QStringLiteral("--axes XYU: ") + axes));
    foam("an axis twice", {"--axes", "XYUU"}, qPrintable(QStringLiteral("--axes XYUU: ") + axes));
    foam("not an axis", {"--axes", "XYUE"}, qPrintable(QStringLiteral("--axes XYUE: ") + axes));
    foam("a wire code of two lines", {"--wire-on", "M3\nS400"},
         "--wire-on M3\nS400: not one line of printable ASCII");
    foam("negative preheat", {"--preheat", "-1"}, "--preheat -1: not a time of 0 s or more");
    foam("a spar notch", {"--spar", "30:6:5"},
         "--spar does not go with --gcode: a core is cut in one pass");
    foam("the default chord out of range", {"--printer-scale", "0.5"},
         "--chord: the default, the printer scale of 0.5 mm, is not 1 to 5,000 mm");
    // One line: the first wrong value in the order the command reads them.
    row("name before the language", {"--language", "0", "--name", "a/b", "-"},
        "--name a/b: not a file name without a directory");
    row("language before the scale", {"--screen-scale", "9999", "--language", "0", "a.dat"},
        "--language 0: not a language number");
    row("threads before the chord", {"--chord", "0", "-j", "0", "a.dat"},
        "-j 0: not a number of threads");
    row("default chord before the inset", {"--dxf", "--printer-scale", "0.5", "--inset", "x", "a"},
        "--chord: the default, the printer scale of 0.5 mm, is not 1 to 5,000 mm");
}

void TestExportOptions::usageError() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Result<ExportRequest> request = parse(arguments);
    QVERIFY(!request);
    QCOMPARE(request.error(), message);
}

void TestExportOptions::request_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("fields");  // "key=value" (see fieldsOf)
    const auto row = [](const char* name, const QStringList& arguments, const QStringList& fields) {
        QTest::newRow(name) << arguments << fields;
    };
    row("nothing asked: the sheet, the defaults", {"a.dat", "b.dat"},
        {"answer=run", "inputs=a.dat b.dat", "outputs=pdf", "given=", "language=1", "screen=1000",
         "printer=150", "chord=150", "ribs=0", "name=stdin", "out=.", "threads=-",
         "program-dir=-"});
    row("a picture alone writes no sheet", {"--png", "a.dat"}, {"outputs=png"});
    row("the sheet asked beside others", {"--svg", "--pdf", "--dat", "a.dat"},
        {"outputs=pdf svg dat"});
    row("the table alone writes no sheet", {"--table", "-", "a.dat"}, {"outputs=table", "table=-"});
    row("a template alone writes no sheet", {"--dxf", "a.dat"}, {"outputs=dxf", "chord=150"});
    row("a rib set asks for its PDF", {"--ribs", "4", "--tip", "t.dat", "a.dat"},
        {"outputs=template", "ribs=4", "tip=t.dat", "tip-chord=-", "chord=150"});
    row("a rib set as DXF only", {"--ribs", "2", "--tip", "t.dat", "--dxf", "a.dat"},
        {"outputs=dxf", "ribs=2"});
    row("a rib set with a tip chord",
        {"--ribs", "3", "--tip", "t.dat", "--tip-chord", "140", "--chord", "220", "a.dat"},
        {"chord=220", "tip-chord=140", "given=chord"});
    row("values given",
        {"--language", "2", "--screen-scale", "1400", "--printer-scale", "180", "-j", "3", "-o",
         "out", "--name", "wing", "-"},
        {"language=2", "screen=1400", "printer=180", "threads=3", "out=out", "name=wing",
         "inputs=-", "given=language screen printer"});
    row("scales read by the scale boxes' rule",
        {"--screen-scale", "12abc", "--printer-scale", " 1 2.5", "a.dat"},
        {"screen=12", "printer=12.5"});
    row("threads with blanks", {"--jobs", " 2\t", "a.dat"}, {"threads=2"});
    row("the chord follows the printer scale", {"--printer-scale", "120", "--template", "a.dat"},
        {"chord=120", "outputs=template"});
    row("a small printer scale without templates", {"--printer-scale", "0.5", "a.dat"},
        {"chord=0.5", "outputs=pdf"});
    row("build features",
        {"--te-thickness", "0.8", "--inset", "1.5", "--spar", "25:6:5", "--spar", "60:4:3:lower",
         "--dxf", "a.dat"},
        {"te=0.8", "inset=1.5", "spars=25:6:5:0 60:4:3:1"});
    row("a program directory leaves the chord to its Set.txt",
        {"--program-dir", "prog", "--dxf", "a.dat"}, {"program-dir=prog", "chord=0"});
    row("a program directory with a printer scale given",
        {"--program-dir", "prog", "--printer-scale", "90", "--dxf", "a.dat"}, {"chord=90"});
    row("an overlay alone writes no sheet", {"--overlay", "cmp.png", "a.dat", "b.dat"},
        {"outputs=overlay", "overlay=cmp.png", "inputs=a.dat b.dat", "out=."});
    row("an overlay beside the plots", {"--png", "--overlay", "x/cmp.PDF", "-o", "out", "a", "-"},
        {"outputs=png overlay", "overlay=x/cmp.PDF", "out=out"});
    row("an overlay and the sheet",
        {"--pdf", "--overlay=cmp.svg", "1", "2", "3", "4", "5", "6", "7", "8"},
        {"outputs=pdf overlay", "overlay=cmp.svg"});
    const QStringList core{"--gcode", "--span", "600", "--towers", "800"};
    row("a foam core's defaults", core + QStringList{"a.dat"},
        {"outputs=gcode", "span=600", "towers=800", "root-at=-", "root-side=left", "origin=20:30",
         "sweep=0", "washout=0", "kerf=0", "tip-kerf=-", "lead-in=10", "feed=200", "travel=-",
         "axes=XYUV", "wire=/", "preheat=0", "tip=", "chord=150"});
    row("a foam core's every value",
        core + QStringList{"--root-at",  "0",       "--root-side", "Right", "--origin",  "-5:12.5",
                           "--sweep",    "-30",     "--washout",   "-45",   "--kerf",    "5",
                           "--tip-kerf", "0",       "--lead-in",   "0",     "--feed",    "350.5",
                           "--travel",   "600:400", "--axes",      "xyza",  "--wire-on", "M3 S400",
                           "--wire-off", "M5",      "--preheat",   "2.5",   "--pdf",     "a.dat"},
        {"root-at=0", "root-side=right", "origin=-5:12.5", "sweep=-30", "washout=-45", "kerf=5",
         "tip-kerf=0", "lead-in=0", "feed=350.5", "travel=600:400", "axes=XYZA", "wire=M3 S400/M5",
         "preheat=2.5", "outputs=pdf gcode"});
    row("a foam core's tip, chords and rib features",
        core + QStringList{"--tip", "t.dat", "--chord", "250", "--tip-chord", "120",
                           "--te-thickness", "0.8", "a.dat"},
        {"tip=t.dat", "chord=250", "tip-chord=120", "te=0.8"});
    row("a block filling the gap between the towers",
        {"--gcode", "--span", "800", "--towers", "800", "a.dat"}, {"span=800", "root-at=-"});
    row("help, whatever else is wrong", {"--help", "--screen-scale", "x"}, {"answer=help"});
    row("help-all", {"--help-all"}, {"answer=help"});
    row("version without inputs", {"--version"}, {"answer=version"});
}

void TestExportOptions::request() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, fields);
    const Result<ExportRequest> request = parse(arguments);
    QVERIFY2(request, qPrintable(request.error()));
    compareFields(fieldsOf(request.value(), request.value().settings), fields);
}

void TestExportOptions::programSettings_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("language");         // Set.txt's; 0 for none
    QTest::addColumn<int>("screenScale");      // Set.txt's; 0 for none
    QTest::addColumn<double>("printerScale");  // Set.txt's; 0 for none
    QTest::addColumn<QStringList>("fields");   // or the usage error, alone
    const QStringList dir = {"--program-dir", "prog"};
    QTest::newRow("Set.txt gives all")
        << dir + QStringList{"--dxf", "a.dat"} << 2 << 500 << 90.0
        << QStringList{"language=2", "screen=500", "printer=90", "chord=90", "outputs=dxf"};
    QTest::newRow("the command line wins")
        << dir + QStringList{"--language",      "1",  "--screen-scale", "800",
                             "--printer-scale", "60", "--dxf",          "a.dat"}
        << 2 << 500 << 90.0 << QStringList{"language=1", "screen=800", "printer=60", "chord=60"};
    QTest::newRow("Set.txt lacks values")
        << dir + QStringList{"a.dat"} << 0 << 0 << 0.0
        << QStringList{"language=1", "screen=1000", "printer=150", "chord=150"};
    QTest::newRow("a chord given stays")
        << dir + QStringList{"--chord", "300", "--dxf", "a.dat"} << 1 << 1000 << 90.0
        << QStringList{"printer=90", "chord=300"};
    QTest::newRow("Set.txt's printer scale is no template chord")
        << dir + QStringList{"--template-svg", "a.dat"} << 1 << 1000 << 0.25
        << QStringList{"--chord: the default, the printer scale of 0.25 mm, is not 1 to 5,000 mm"};
    QTest::newRow("without templates it needs not be")
        << dir + QStringList{"--png", "a.dat"} << 1 << 1000 << 0.25
        << QStringList{"chord=0.25", "outputs=png"};
}

// A program directory's Set.txt gives what the command line leaves to it.
void TestExportOptions::programSettings() {
    QFETCH(QStringList, arguments);
    QFETCH(int, language);
    QFETCH(int, screenScale);
    QFETCH(double, printerScale);
    QFETCH(QStringList, fields);
    const Result<ExportRequest> request = parse(arguments);
    QVERIFY2(request, qPrintable(request.error()));
    SettingsRead read;
    if (language != 0) {
        read.language = std::int16_t(language);
    }
    if (screenScale != 0) {
        read.screenScale = std::int16_t(screenScale);
    }
    if (printerScale != 0.0) {
        read.printerScale = printerScale;
    }
    const Result<ExportSettings> settings = WithProgramSettings(request.value(), read);
    if (fields.first().startsWith(u'-')) {
        QCOMPARE(settings.error(), fields.first());
        return;
    }
    QVERIFY2(settings, qPrintable(settings.error()));
    compareFields(fieldsOf(request.value(), settings.value()), fields);
}

// --help gives the defaults and limits the command takes.
void TestExportOptions::helpFromTheConstants() {
    const QString help = ExportHelpText().simplified();
    for (const char* text : {"Screen scale (default 1000, max 1400).",
                             "Printer scale in mm per data unit (default 150, max 180).",
                             "Template chord in mm, 1 to 5000 (default: the printer scale).",
                             "Draw the inputs (2 to 8) together into OUT",
                             "The slot the wire melts, 0 to 5 mm (default 0)",
                             "(default 0, at most 45 either way)."}) {
        QVERIFY2(help.contains(QLatin1String(text)), text);
    }
}

QTEST_GUILESS_MAIN(TestExportOptions)
#include "tst_exportoptions.moc"
