// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportFolder.h"
#include "TemplateReadBack.h"

#include <QImage>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

using namespace vandrix::testing;

namespace {

// The first group of each match of `pattern` in `text`, each once, in the order first found.
QStringList matches(const QByteArray& text, const char* pattern) {
    QStringList found;
    for (const auto& match :
         QRegularExpression(QLatin1String(pattern)).globalMatch(QString::fromUtf8(text))) {
        if (!found.contains(match.captured(1))) {
            found << match.captured(1);
        }
    }
    return found;
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

}  // namespace

// vandrix-export --overlay as a user runs it: each format read back by other programs
// (rsvg-convert, qpdf, poppler), inputs that cannot be read, outputs it may not replace.
class TestOverlayCommand : public QObject {
    Q_OBJECT

    std::unique_ptr<ExportFolder> dir_;

private slots:
    void init() {
        dir_ = std::make_unique<ExportFolder>();
        QVERIFY(QDir(dir_->path({})).mkpath("out") &&
                dir_->write("in/a.dat", readAll(samplePath("naca2412.dat"))) &&
                dir_->write("in/b.dat", readAll(samplePath("naca4415.dat"))) &&
                dir_->write("in/c.dat", seligFile(Naca4{0.0, 0.0, 0.12}, 61, "NACA 0012")) &&
                dir_->write("in/empty.dat", {}) && dir_->link("in/a.dat", "in/link.png") &&
                // Camber 12 %, thickness 44 %: above 0.3 and below -0.1.
                dir_->write("in/thick.dat", stationDataFile(Naca4{0.12, 0.4, 0.44}, "Thick")) &&
                // No name line: the legend gives the file's base name.
                dir_->write("in/plain.dat", seligFile(Naca4{0.04, 0.4, 0.09}, 41, {}).mid(1)));
    }

    void runs_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("complaints");  // the start of each stderr line, in order
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QStringList>("legend");  // of the overlay, when written
        QTest::addColumn<int>("height");          // of the picture, in pixels or points
        const QStringList three = {"in/a.dat", "in/b.dat", "in/c.dat"};
        const QStringList names = {"NACA 2412", "NACA 4415", "NACA 0012"};
        const QString ve = QStringLiteral("vandrix-export: ");
        const QString help = QStringLiteral("Try 'vandrix-export --help' for more information.");
        const auto usage = [&](const char* name, const QStringList& arguments, const char* line) {
            QTest::newRow(name) << arguments << 2 << QStringList{ve + QLatin1String(line), help}
                                << QStringList() << QStringList() << 0;
        };
        // Written where OUT says, not under -o.
        QTest::newRow("png, named in capitals")
            << QStringList{"-o", "out", "--overlay", "CMP.PNG"} + three << 0 << QStringList()
            << QStringList{"CMP.PNG"} << names << 396;
        QTest::newRow("svg") << QStringList{"-o", "out", "--overlay", "cmp.svg"} + three << 0
                             << QStringList() << QStringList{"cmp.svg"} << names << 396;
        QTest::newRow("pdf, widened both ways")
            << QStringList{"-o", "out", "--overlay", "cmp.pdf", "in/a.dat", "in/thick.dat"} << 0
            << QStringList() << QStringList{"cmp.pdf"} << QStringList{"NACA 2412", "Thick"}
            << 396 + 2 * 66;
        QTest::newRow("two of three unreadable: one drawn alone")
            << QStringList{"--overlay", "cmp.svg", "in/missing.dat", "in/b.dat", "in/empty.dat"}
            << 1 << QStringList{ve + "in/missing.dat: ", ve + "in/empty.dat: "}
            << QStringList{"cmp.svg"} << QStringList{"NACA 4415"} << 396;
        QTest::newRow("none readable: nothing written")
            << QStringList{"--overlay", "cmp.svg", "in/missing.dat", "in/empty.dat"} << 1
            << QStringList{ve + "in/missing.dat: ", ve + "in/empty.dat: "} << QStringList()
            << QStringList() << 0;
        // Standard input is read once for its plot and the overlay.
        QTest::newRow("beside the plots, standard input and a nameless section")
            << QStringList{"--png",   "-o",       "out", "--overlay",
                           "cmp.svg", "in/a.dat", "-",   "in/plain.dat"}
            << 0 << QStringList()
            << QStringList{"cmp.svg", "out/a.png", "out/plain.png", "out/stdin.png"}
            << QStringList{"NACA 2412", "NACA 4415", "plain"} << 396;
        usage("over an input through a link", {"--overlay", "in/link.png", "in/a.dat", "in/b.dat"},
              "--overlay in/link.png: it would replace an input file");
        usage("over the table",
              {"--table", "out/x.svg", "--overlay", "out/../out/x.svg", "in/a.dat", "in/b.dat"},
              "--overlay out/../out/x.svg: it is also an output of this run");
        usage("over a plot",
              {"--png", "-o", "out", "--overlay", "out/b.png", "in/a.dat", "in/b.dat"},
              "--overlay out/b.png: it is also an output of this run");
    }

    // Exit status, one line per problem in the command's style, the files left; the picture's
    // size, colours (the grid's grey, then each section's) and legend.
    void runs() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QStringList, complaints);
        QFETCH(QStringList, written);
        QFETCH(QStringList, legend);
        QFETCH(int, height);
        const ToolRun done = dir_->run(arguments, readAll(samplePath("naca4415.dat")));
        QVERIFY2(done.exitCode == status, done.err.constData());
        const QStringList errors = QString::fromUtf8(done.err).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(errors.size(), complaints.size());
        for (qsizetype i = 0; i < errors.size(); ++i) {
            QVERIFY2(errors[i].startsWith(complaints[i]), qPrintable(errors[i]));
        }
        QCOMPARE(dir_->written(), written);
        QCOMPARE(readAll(dir_->path("in/a.dat")), readAll(samplePath("naca2412.dat")));
        if (legend.isEmpty()) {
            return;
        }
        const QString file = dir_->path(arguments[arguments.indexOf("--overlay") + 1]);
        const QString kind = QFileInfo(file).suffix().toLower();
        const QStringList colours =
            QStringList{"#cccccc", "#000000", "#e69f00", "#56b4e9"}.mid(0, legend.size() + 1);
        const QString picture = kind == QLatin1String("png") ? file : dir_->path("picture.png");
        if (kind == QLatin1String("svg")) {
            const QByteArray svg = readAll(file);
            const QStringList drawn =
                matches(svg, "stroke=\"(#\\w+)\"") + matches(svg, ">([^<>]+)</text>");
            QCOMPARE(drawn, colours + legend);
            QVERIFY(svg.contains(QStringLiteral("viewBox=\"0 0 996 %1\"").arg(height).toUtf8()));
            QCOMPARE(runTool("rsvg-convert", {"-w", "996", file, "-o", picture}).exitCode, 0);
        } else if (kind == QLatin1String("pdf")) {
            QCOMPARE(runTool("qpdf", {"--check", file}).exitCode, 0);
            const QByteArray info = runTool("pdfinfo", {file}).out;
            QVERIFY(info.contains("Pages:           1"));
            QVERIFY(info.contains(QStringLiteral("996 x %1 pts").arg(height).toUtf8()));
            QCOMPARE(QString::fromUtf8(runTool("pdftotext", {file, "-"}).out)
                         .split(QRegularExpression("[\n\f]+"), Qt::SkipEmptyParts),
                     legend);
            QCOMPARE(
                runTool("pdftoppm", {"-r", "72", "-png", "-singlefile", file, picture.chopped(4)})
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
};

QTEST_GUILESS_MAIN(TestOverlayCommand)
#include "tst_overlaycommand.moc"
