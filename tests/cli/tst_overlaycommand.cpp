// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateReadBack.h"
#include "TestFiles.h"
#include "ToolRun.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace vandrix::testing;

namespace {

// The overlay's first colours, in order, and its grid's grey.
const QList<QColor> Palette = {QColor("#000000"), QColor("#e69f00"), QColor("#56b4e9")};
const QColor Grid("#cccccc");

ToolRun runExport(const QStringList& arguments, const QString& dir, const QByteArray& input = {}) {
    return runTool({.program = QStringLiteral(VANDRIX_EXPORT_COMMAND),
                    .arguments = arguments,
                    .workDir = dir,
                    .unsetEnv = {"QT_QPA_PLATFORM", "DISPLAY"},
                    .input = input});
}

QStringList lines(const QByteArray& text) {
    return QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Whether the image has a pixel within `tolerance` of the colour in each channel.
bool hasColour(const QImage& image, const QColor& colour, int tolerance = 0) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - colour.red()) <= tolerance &&
                std::abs(p.green() - colour.green()) <= tolerance &&
                std::abs(p.blue() - colour.blue()) <= tolerance) {
                return true;
            }
        }
    }
    return false;
}

// What an SVG drawing strokes, each colour once in the order it first draws with it, and its
// texts in order.
struct SvgDrawing {
    QStringList strokes;
    QStringList texts;
    QString viewBox;
};

SvgDrawing readSvg(const QByteArray& bytes) {
    SvgDrawing svg;
    QXmlStreamReader xml(bytes);
    QStringList groupStrokes;  // the stroke of each open group
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("g")) {
            groupStrokes.removeLast();
        }
        if (token != QXmlStreamReader::StartElement) {
            continue;
        }
        const QString stroke = xml.attributes().value(QLatin1String("stroke")).toString();
        if (xml.name() == QLatin1String("svg")) {
            svg.viewBox = xml.attributes().value(QLatin1String("viewBox")).toString();
        } else if (xml.name() == QLatin1String("g")) {
            groupStrokes << stroke;
        } else if (xml.name() == QLatin1String("text")) {
            svg.texts << xml.readElementText().trimmed();
        } else if (xml.name() != QLatin1String("rect")) {
            const QString used =
                stroke.isEmpty() && !groupStrokes.isEmpty() ? groupStrokes.last() : stroke;
            if (!used.isEmpty() && used != QLatin1String("none") && !svg.strokes.contains(used)) {
                svg.strokes << used;
            }
        }
    }
    return xml.hasError() ? SvgDrawing{} : svg;
}

}  // namespace

// vandrix-export --overlay as a user runs it: each format read back by other programs, its usage
// errors, and inputs that cannot be read.
class TestOverlayCommand : public QObject {
    Q_OBJECT

private slots:
    void init();
    void formats_data();
    void formats();
    void usageErrors_data();
    void usageErrors();
    void unreadable_data();
    void unreadable();
    void readOnce();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    // Every file the run left, but the inputs.
    QStringList written() const {
        QStringList files;
        for (const QString& sub : {QStringLiteral("."), QStringLiteral("out")}) {
            for (const QString& name : QDir(path(sub)).entryList(QDir::Files | QDir::Hidden)) {
                files << (sub == QLatin1String(".") ? name : sub + QLatin1Char('/') + name);
            }
        }
        return files;
    }

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestOverlayCommand::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("in")));
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("out")));
    const QList<std::pair<const char*, QByteArray>> files = {
        {"in/a.dat", readAll(samplePath("naca2412.dat"))},
        {"in/b.dat", readAll(samplePath("naca4415.dat"))},
        {"in/c.dat", seligFile(Naca4{0.0, 0.0, 0.12}, 61, "NACA 0012")},
        // Camber 12 %, thickness 44 %: above 0.3 and below -0.1.
        {"in/thick.dat", stationDataFile(Naca4{0.12, 0.4, 0.44}, "Thick")},
        {"in/empty.dat", {}},
        // No name line: the legend takes the file's base name.
        {"in/plain.dat", seligFile(Naca4{0.04, 0.4, 0.09}, 41, {}).mid(1)}};
    for (const auto& [name, bytes] : files) {
        QVERIFY(writeFile(path(QLatin1String(name)), bytes));
    }
    QVERIFY(QFile::link(path(QStringLiteral("in/a.dat")), path(QStringLiteral("in/link.png"))));
}

void TestOverlayCommand::formats_data() {
    QTest::addColumn<QString>("out");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<int>("height");  // of the picture, in pixels or points
    const QStringList three = {"in/a.dat", "in/b.dat", "in/c.dat"};
    QTest::newRow("png") << "cmp.png" << three << 396;
    QTest::newRow("svg") << "cmp.svg" << three << 396;
    QTest::newRow("pdf") << "cmp.pdf" << three << 396;
    QTest::newRow("png in capitals") << "CMP.PNG" << three << 396;
    QTest::newRow("png, widened both ways")
        << "cmp.png" << QStringList{"in/a.dat", "in/thick.dat"} << 396 + 66 + 66;
    QTest::newRow("pdf, widened both ways")
        << "cmp.pdf" << QStringList{"in/a.dat", "in/thick.dat"} << 396 + 66 + 66;
}

// The overlay alone, written where OUT says (not under -o) and nothing else; its colours and
// legend as PNG, SVG and PDF readers see them.
void TestOverlayCommand::formats() {
    QFETCH(QString, out);
    QFETCH(QStringList, inputs);
    QFETCH(int, height);
    const ToolRun run =
        runExport(QStringList{"-o", "out", "--overlay", out} + inputs, dir_->path());
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    QCOMPARE(written(), QStringList{out});
    const QString file = path(out);
    const QString kind = QFileInfo(out).suffix().toLower();
    const QList<QColor> colours = Palette.mid(0, inputs.size());
    QImage image;
    int tolerance = 0;
    if (kind == QLatin1String("png")) {
        image = QImage(file);
        QCOMPARE(image.height(), height);
        QCOMPARE(image.width(), 996);
        QVERIFY(!hasColour(image, QColor(0, 0, 255)));  // not the screen plot's blue grid
    } else if (kind == QLatin1String("svg")) {
        const SvgDrawing svg = readSvg(readAll(file));
        QCOMPARE(svg.viewBox, QStringLiteral("0 0 996 %1").arg(height));
        QStringList strokes;
        for (const QColor& colour : QList<QColor>{Grid} + colours) {
            strokes << colour.name();
        }
        QCOMPARE(svg.strokes, strokes);
        QCOMPARE(svg.texts, QStringList({"NACA 2412", "NACA 4415", "NACA 0012"}));
        const QString png = path(QStringLiteral("svg.png"));
        QCOMPARE(
            runTool(QStringLiteral("rsvg-convert"),
                    {QStringLiteral("-w"), QStringLiteral("996"), file, QStringLiteral("-o"), png})
                .exitCode,
            0);
        image = QImage(png);
        QCOMPARE(image.height(), height);
        tolerance = 24;  // rsvg-convert smooths the edges
    } else {
        QCOMPARE(runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), file}).exitCode, 0);
        const ToolRun info = runTool(QStringLiteral("pdfinfo"), {file});
        QVERIFY(info.out.contains("Pages:           1"));
        QVERIFY2(
            info.out.contains(QStringLiteral("Page size:       996 x %1 pts").arg(height).toUtf8()),
            info.out.constData());
        const ToolRun text = runTool(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
        QStringList names = lines(text.out);
        names.removeAll(QStringLiteral("\f"));
        QCOMPARE(names, inputs.size() == 3 ? QStringList({"NACA 2412", "NACA 4415", "NACA 0012"})
                                           : QStringList({"NACA 2412", "Thick"}));
        QCOMPARE(runTool(QStringLiteral("pdftoppm"),
                         {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                          QStringLiteral("-singlefile"), file, path(QStringLiteral("page"))})
                     .exitCode,
                 0);
        image = QImage(path(QStringLiteral("page.png")));
        QCOMPARE(image.size(), QSize(996, height));
        tolerance = 24;
    }
    QVERIFY(!image.isNull());
    for (const QColor& colour : QList<QColor>{Grid} + colours) {
        QVERIFY2(hasColour(image, colour, tolerance), qPrintable(colour.name()));
    }
}

void TestOverlayCommand::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("line");
    QTest::newRow("one input") << QStringList{"--overlay", "cmp.png", "in/a.dat"}
                               << "--overlay takes 2 to 8 inputs; 1 given";
    QStringList nine = {"--overlay", "cmp.png"};
    for (int i = 0; i < 9; ++i) {
        nine << QStringLiteral("in/a.dat");
    }
    QTest::newRow("nine inputs") << nine << "--overlay takes 2 to 8 inputs; 9 given";
    QTest::newRow("unknown extension")
        << QStringList{"--overlay", "cmp.jpg", "in/a.dat", "in/b.dat"}
        << "--overlay cmp.jpg: not a .png, .svg or .pdf file";
    QTest::newRow("over an input through a link")
        << QStringList{"--overlay", "in/link.png", "in/a.dat", "in/b.dat"}
        << "--overlay in/link.png: it would replace an input file";
    QTest::newRow("over the table")
        << QStringList{"--table",          "out/x.svg", "--overlay",
                       "out/../out/x.svg", "in/a.dat",  "in/b.dat"}
        << "--overlay out/../out/x.svg: it is also an output of this run";
    QTest::newRow("over a plot of an input")
        << QStringList{"--png", "-o", "out", "--overlay", "out/b.png", "in/a.dat", "in/b.dat"}
        << "--overlay out/b.png: it is also an output of this run";
}

// One line in the command's style, exit status 2, nothing written, the inputs as they were.
void TestOverlayCommand::usageErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, line);
    const ToolRun run = runExport(arguments, dir_->path());
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(lines(run.err), QStringList({QStringLiteral("vandrix-export: ") + line,
                                          "Try 'vandrix-export --help' for more information."}));
    QCOMPARE(written(), QStringList{});
    QCOMPARE(readAll(path(QStringLiteral("in/a.dat"))), readAll(samplePath("naca2412.dat")));
}

void TestOverlayCommand::unreadable_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("complaints");  // the start of each stderr line, in order
    QTest::addColumn<QStringList>("names");       // the legend; none: nothing written
    QTest::newRow("two of four") << QStringList{"in/a.dat", "in/missing.dat", "in/empty.dat",
                                                "in/b.dat"}
                                 << QStringList{"vandrix-export: in/missing.dat: ",
                                                "vandrix-export: in/empty.dat: "}
                                 << QStringList{"NACA 2412", "NACA 4415"};
    QTest::newRow("one of two: drawn alone")
        << QStringList{"in/missing.dat", "in/b.dat"}
        << QStringList{"vandrix-export: in/missing.dat: "} << QStringList{"NACA 4415"};
    QTest::newRow("none") << QStringList{"in/missing.dat", "in/empty.dat"}
                          << QStringList{"vandrix-export: in/missing.dat: ",
                                         "vandrix-export: in/empty.dat: "}
                          << QStringList{};
}

// An input that cannot be read is named, the others are drawn, and the run fails; with none
// read, nothing is written.
void TestOverlayCommand::unreadable() {
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, complaints);
    QFETCH(QStringList, names);
    const ToolRun run = runExport(QStringList{"--overlay", "cmp.svg"} + inputs, dir_->path());
    QCOMPARE(run.exitCode, 1);
    const QStringList errors = lines(run.err);
    QCOMPARE(errors.size(), complaints.size());
    for (qsizetype i = 0; i < errors.size(); ++i) {
        QVERIFY2(errors[i].startsWith(complaints[i]), qPrintable(errors[i]));
    }
    if (names.isEmpty()) {
        QCOMPARE(written(), QStringList{});
        return;
    }
    QCOMPARE(written(), QStringList{"cmp.svg"});
    const SvgDrawing svg = readSvg(readAll(path(QStringLiteral("cmp.svg"))));
    QCOMPARE(svg.texts, names);
    QCOMPARE(svg.strokes.size(), 1 + names.size());  // the grid and a colour each
}

// Standard input is read once for its plot and the overlay; a section without a name is
// called by its file's base name.
void TestOverlayCommand::readOnce() {
    const ToolRun run =
        runExport({"--png", "-o", "out", "--overlay", "cmp.svg", "in/a.dat", "-", "in/plain.dat"},
                  dir_->path(), readAll(samplePath("naca4415.dat")));
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QCOMPARE(written(), QStringList({"cmp.svg", "out/a.png", "out/plain.png", "out/stdin.png"}));
    QCOMPARE(readSvg(readAll(path(QStringLiteral("cmp.svg")))).texts,
             QStringList({"NACA 2412", "NACA 4415", "plain"}));
}

QTEST_GUILESS_MAIN(TestOverlayCommand)
#include "tst_overlaycommand.moc"
