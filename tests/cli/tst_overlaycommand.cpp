// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateReadBack.h"
#include "TestFiles.h"
#include "ToolRun.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace vandrix::testing;

namespace {

// The grid's grey, then the first sections' colours in order.
const QStringList Colours = {"#cccccc", "#000000", "#e69f00", "#56b4e9"};

QStringList lines(const QByteArray& text) {
    return QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Whether the image has a pixel within `tolerance` of the colour in each channel.
bool hasColour(const QImage& image, const QColor& colour, int tolerance) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::max({std::abs(p.red() - colour.red()), std::abs(p.green() - colour.green()),
                          std::abs(p.blue() - colour.blue())}) <= tolerance) {
                return true;
            }
        }
    }
    return false;
}

// An SVG drawing's line colours, each once in the order first used, and its texts in order.
QStringList svgStrokesAndTexts(const QByteArray& bytes, QString* viewBox = nullptr) {
    QStringList strokes;
    QStringList texts;
    QStringList groups;  // the stroke of each open group
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("g")) {
            groups.removeLast();
        } else if (token != QXmlStreamReader::StartElement) {
            continue;
        } else if (xml.name() == QLatin1String("g")) {
            groups << xml.attributes().value(QLatin1String("stroke")).toString();
        } else if (xml.name() == QLatin1String("svg") && viewBox != nullptr) {
            *viewBox = xml.attributes().value(QLatin1String("viewBox")).toString();
        } else if (xml.name() == QLatin1String("text")) {
            texts << xml.readElementText().trimmed();
        } else if (xml.name() == QLatin1String("polyline") && !strokes.contains(groups.last())) {
            strokes << groups.last();
        }
    }
    return strokes + texts;
}

}  // namespace

// vandrix-export --overlay as a user runs it: each format read back by other programs, usage
// errors, inputs that cannot be read.
class TestOverlayCommand : public QObject {
    Q_OBJECT

private slots:
    void init();
    void formats_data();
    void formats();
    void runs_data();
    void runs();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    ToolRun run(const QStringList& arguments, const QByteArray& input = {}) const {
        return runTool({.program = QStringLiteral(VANDRIX_EXPORT_COMMAND),
                        .arguments = arguments,
                        .workDir = dir_->path(),
                        .unsetEnv = {"QT_QPA_PLATFORM", "DISPLAY"},
                        .input = input});
    }
    // The files the run left in the folder and in out/.
    QStringList written() const {
        QStringList files = QDir(dir_->path()).entryList(QDir::Files);
        for (const QString& name : QDir(path(QStringLiteral("out"))).entryList(QDir::Files)) {
            files << QStringLiteral("out/") + name;
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
        // No name line: the legend gives the file's base name.
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
    const QStringList thick = {"in/a.dat", "in/thick.dat"};
    QTest::newRow("png") << "cmp.png" << three << 396;
    QTest::newRow("svg") << "cmp.svg" << three << 396;
    QTest::newRow("pdf") << "cmp.pdf" << three << 396;
    QTest::newRow("png in capitals, widened both ways") << "CMP.PNG" << thick << 396 + 2 * 66;
    QTest::newRow("pdf, widened both ways") << "cmp.pdf" << thick << 396 + 2 * 66;
}

// The overlay alone, written where OUT says (not under -o); its size, colours and legend as
// QImage, rsvg-convert, qpdf and poppler see them.
void TestOverlayCommand::formats() {
    QFETCH(QString, out);
    QFETCH(QStringList, inputs);
    QFETCH(int, height);
    const ToolRun done = run(QStringList{"-o", "out", "--overlay", out} + inputs);
    QVERIFY2(done.exitCode == 0 && done.err.isEmpty(), done.err.constData());
    QCOMPARE(written(), QStringList{out});
    const QString file = path(out);
    const QString kind = QFileInfo(out).suffix().toLower();
    const QStringList colours = Colours.mid(0, 1 + inputs.size());
    const QStringList names = inputs.size() == 3
                                  ? QStringList({"NACA 2412", "NACA 4415", "NACA 0012"})
                                  : QStringList({"NACA 2412", "Thick"});
    QString picture = file;
    if (kind == QLatin1String("svg")) {
        QString viewBox;
        QCOMPARE(svgStrokesAndTexts(readAll(file), &viewBox), colours + names);
        QCOMPARE(viewBox, QStringLiteral("0 0 996 %1").arg(height));
        picture = path(QStringLiteral("svg.png"));
        QCOMPARE(
            runTool(QStringLiteral("rsvg-convert"), {QStringLiteral("-w"), QStringLiteral("996"),
                                                     file, QStringLiteral("-o"), picture})
                .exitCode,
            0);
    } else if (kind == QLatin1String("pdf")) {
        QCOMPARE(runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), file}).exitCode, 0);
        const QByteArray info = runTool(QStringLiteral("pdfinfo"), {file}).out;
        QVERIFY(info.contains("Pages:           1"));
        QVERIFY2(
            info.contains(QStringLiteral("Page size:       996 x %1 pts").arg(height).toUtf8()),
            info.constData());
        QStringList text = lines(runTool(QStringLiteral("pdftotext"), {file, "-"}).out);
        text.removeAll(QStringLiteral("\f"));
        QCOMPARE(text, names);
        picture = path(QStringLiteral("page.png"));
        QCOMPARE(runTool(QStringLiteral("pdftoppm"),
                         {"-r", "72", "-png", "-singlefile", file, path(QStringLiteral("page"))})
                     .exitCode,
                 0);
    }
    const QImage image(picture);
    QCOMPARE(image.size(), QSize(996, height));
    // Exact in the PNG; rsvg-convert and poppler smooth the edges.
    const int tolerance = kind == QLatin1String("png") ? 0 : 24;
    for (const QString& colour : colours) {
        QVERIFY2(hasColour(image, QColor(colour), tolerance), qPrintable(colour));
    }
    QVERIFY(!hasColour(image, Qt::blue, tolerance));  // not the screen plot's grid
}

void TestOverlayCommand::runs_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");  // standard input
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("complaints");  // the start of each stderr line, in order
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QStringList>("legend");  // of cmp.svg, when written
    const auto row = [](const char* name, const QStringList& arguments, int status,
                        const QStringList& complaints, const QStringList& written,
                        const QStringList& legend = {}, const QByteArray& input = {}) {
        QTest::newRow(name) << arguments << input << status << complaints << written << legend;
    };
    const QString ve = QStringLiteral("vandrix-export: ");
    const QString help = QStringLiteral("Try 'vandrix-export --help' for more information.");
    row("two of four unreadable: the others drawn",
        {"--overlay", "cmp.svg", "in/a.dat", "in/missing.dat", "in/empty.dat", "in/b.dat"}, 1,
        {ve + "in/missing.dat: ", ve + "in/empty.dat: "}, {"cmp.svg"}, {"NACA 2412", "NACA 4415"});
    row("one of two: drawn alone", {"--overlay", "cmp.svg", "in/missing.dat", "in/b.dat"}, 1,
        {ve + "in/missing.dat: "}, {"cmp.svg"}, {"NACA 4415"});
    row("none readable: nothing written",
        {"--overlay", "cmp.svg", "in/missing.dat", "in/empty.dat"}, 1,
        {ve + "in/missing.dat: ", ve + "in/empty.dat: "}, {});
    // Standard input is read once for its plot and the overlay.
    row("beside the plots, standard input and a nameless section",
        {"--png", "-o", "out", "--overlay", "cmp.svg", "in/a.dat", "-", "in/plain.dat"}, 0, {},
        {"cmp.svg", "out/a.png", "out/plain.png", "out/stdin.png"},
        {"NACA 2412", "NACA 4415", "plain"}, readAll(samplePath("naca4415.dat")));
    row("usage: one input", {"--overlay", "cmp.svg", "in/a.dat"}, 2,
        {ve + "--overlay takes 2 to 8 inputs; 1 given", help}, {});
    row("usage: over an input through a link", {"--overlay", "in/link.png", "in/a.dat", "in/b.dat"},
        2, {ve + "--overlay in/link.png: it would replace an input file", help}, {});
    row("usage: over the table",
        {"--table", "out/x.svg", "--overlay", "out/../out/x.svg", "in/a.dat", "in/b.dat"}, 2,
        {ve + "--overlay out/../out/x.svg: it is also an output of this run", help}, {});
    row("usage: over a plot",
        {"--png", "-o", "out", "--overlay", "out/b.png", "in/a.dat", "in/b.dat"}, 2,
        {ve + "--overlay out/b.png: it is also an output of this run", help}, {});
}

// Exit status, one line per problem in the command's style, the files left and the legend.
void TestOverlayCommand::runs() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QStringList, complaints);
    QFETCH(QStringList, written);
    QFETCH(QStringList, legend);
    const ToolRun done = run(arguments, input);
    QCOMPARE(done.exitCode, status);
    const QStringList errors = lines(done.err);
    QCOMPARE(errors.size(), complaints.size());
    for (qsizetype i = 0; i < errors.size(); ++i) {
        QVERIFY2(errors[i].startsWith(complaints[i]), qPrintable(errors[i]));
    }
    QCOMPARE(this->written(), written);
    if (!legend.isEmpty()) {
        QCOMPARE(svgStrokesAndTexts(readAll(path(QStringLiteral("cmp.svg")))),
                 Colours.mid(0, 1 + legend.size()) + legend);
    }
    QCOMPARE(readAll(path(QStringLiteral("in/a.dat"))), readAll(samplePath("naca2412.dat")));
}

QTEST_GUILESS_MAIN(TestOverlayCommand)
#include "tst_overlaycommand.moc"
