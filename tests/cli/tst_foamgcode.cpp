// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateReadBack.h"
#include "TestFiles.h"
#include "ToolRun.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace vandrix;
using namespace vandrix::testing;

namespace {

const Naca4 Naca2412{0.02, 0.4, 0.12};
const Naca4 Naca0012{0.0, 0.0, 0.12};

}  // namespace

// vandrix-export --gcode as a machine's controller reads it: through LinuxCNC's interpreter
// (tests/cli/foam_readback.py), and the files, names and failures as a user meets them.
class TestFoamGCode : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;

    QString path(const QString& name) const { return dir_->filePath(name); }
    // root.dat (NACA 2412) and tip.dat (NACA 0012), written from the formulas.
    void writeSections() const {
        QVERIFY(writeFile(path(QStringLiteral("root.dat")), stationDataFile(Naca2412, "root")));
        QVERIFY(writeFile(path(QStringLiteral("tip.dat")), stationDataFile(Naca0012, "tip")));
    }
    QStringList withFiles(QStringList arguments) const {
        arguments.replaceInStrings(QRegularExpression(QStringLiteral("^(root|tip)\\.")),
                                   dir_->path() + QStringLiteral("/\\1."));
        return arguments;
    }
    ToolRun run(const QStringList& arguments) const {
        return runTool(QStringLiteral(VANDRIX_EXPORT_COMMAND),
                       QStringList{QStringLiteral("-o"), dir_->path()} + withFiles(arguments));
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        writeSections();
    }

    // Every move taken back to the faces lies on the kerf paths, paired points at equal x/c,
    // the faster face at the feed: the targets, checked by LinuxCNC's own reading.
    void readBack_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("check");  // foam_readback.py's, the program's aside
        QTest::addColumn<QString>("axes");
        // Towers 800 apart, span 600, centred: the root face at 100, the tip face at 700.
        const QStringList panel{"--gcode", "--span", "600", "--towers", "800", "--chord", "200"};
        const QStringList faces{"--towers", "800", "--root-z", "100", "--tip-z", "700"};
        QTest::newRow("untapered")
            << panel + QStringList{"root.dat"}
            << faces + QStringList{"--root",   "root.dat",    "--root-chord", "200",      "--tip",
                                   "root.dat", "--tip-chord", "200",          "--pairing"}
            << "XYUV";
        const QStringList tapered{"--tip",   "tip.dat", "--tip-chord", "120",
                                  "--sweep", "40",      "--washout",   "3"};
        const QStringList taperedCheck{"--root",  "root.dat", "--root-chord", "200",
                                       "--tip",   "tip.dat",  "--tip-chord",  "120",
                                       "--sweep", "40",       "--washout",    "3"};
        QTest::newRow("tapered, swept, washout")
            << panel + tapered + QStringList{"root.dat"}
            << faces + taperedCheck + QStringList{"--pairing"} << "XYUV";
        QTest::newRow("with kerf, more at the tip")
            << panel + tapered + QStringList{"--kerf", "1", "--tip-kerf", "1.6", "root.dat"}
            << faces + taperedCheck + QStringList{"--kerf", "1", "--tip-kerf", "1.6"} << "XYUV";
        // The root's tower on the right, its face 50 from it: the root face at 750, the tip's
        // at 150.
        QTest::newRow("the other wing half")
            << panel + tapered + QStringList{"--root-side", "right",   "--root-at",
                                             "50",          "--kerf",  "0.8",
                                             "--origin",    "35:22.5", "root.dat"}
            << QStringList{"--towers", "800",    "--root-z", "750",      "--tip-z",
                           "150",      "--kerf", "0.8",      "--origin", "35:22.5"} +
                   taperedCheck
            << "XYUV";
        QTest::newRow("GRBL letters, wire codes, a fast feed")
            << panel + tapered + QStringList{"--axes",     "XYZA", "--wire-on", "M3 S400",
                                             "--wire-off", "M5",   "--preheat", "2.5",
                                             "--feed",     "450",  "--washout", "-6",
                                             "--kerf",     "1.2",  "root.dat"}
            << faces + taperedCheck + QStringList{"--axes",    "XYZA", "--feed", "450",
                                                  "--washout", "-6",   "--kerf", "1.2"}
            << "XYZA";
    }
    void readBack() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, check);
        QFETCH(QString, axes);
        const ToolRun exported = run(arguments);
        QVERIFY2(exported.exitCode == 0, exported.err.constData());
        QVERIFY2(exported.err.isEmpty(), exported.err.constData());
        const QString program = path(QStringLiteral("root.ngc"));
        const ToolRun read =
            runTool({.program = QStringLiteral("/usr/bin/python3"),
                     .arguments = QStringList{QStringLiteral(VANDRIX_FOAM_READBACK), program} +
                                  withFiles(check),
                     .timeoutMs = 120000});
        QVERIFY2(read.exitCode == 0, QByteArray(read.out + read.err).constData());
        qInfo("%s", read.out.trimmed().constData());

        // The text: a comment header, millimetres, absolute, one G94 move to the start, then
        // every G1 in inverse time with its F, four decimals throughout; G94 and M2 at the end.
        const QByteArray text = readAll(program);
        QVERIFY(text.startsWith("(vandrix-export "));
        QVERIFY(text.contains("\nG21\nG90\nG94\n"));
        QVERIFY(text.contains("(lead-in start, 10 mm behind the middle of the trailing edge: "));
        const QString number = QStringLiteral("-?\\d+\\.\\d{4}");
        QString move = QStringLiteral("^G1");
        for (const QChar letter : axes) {
            move += QLatin1Char(' ') + letter + number;
        }
        const QRegularExpression g1(move + QStringLiteral(" F\\d+\\.\\d{4}$"));
        const QList<QByteArray> lines = text.split('\n');
        qsizetype g1Lines = 0;
        bool inverse = false;
        for (const QByteArray& line : lines) {
            if (line.startsWith("G1")) {
                QVERIFY2(g1.match(QString::fromLatin1(line)).hasMatch(), line.constData());
                QVERIFY(inverse == (g1Lines > 0));
                ++g1Lines;
            }
            inverse = line == "G93" || (inverse && line != "G94");
        }
        QVERIFY(g1Lines > 400);
        const bool codes = arguments.contains(QStringLiteral("--wire-on"));
        QVERIFY(text.endsWith(codes ? "\nG94\nM5\nM2\n" : "\nG94\nM2\n"));
        QCOMPARE(text.contains("\nM3 S400\nG4 P2.5000\nG1 "), codes);
        // The preview beside it, with a line of each kind.
        const QByteArray svg = readAll(path(QStringLiteral("root-gcode.svg")));
        for (const char* group : {"root-outline", "tip-outline", "root-path", "tip-path",
                                  "left-tower", "right-tower"}) {
            QVERIFY2(svg.contains(QByteArray(QByteArray("<g id=\"") + group + '"')), group);
        }
        QVERIFY(!QFile::exists(path(QStringLiteral("root.pdf"))));
    }

    // Outputs named as every output is; never over an input, the tip included.
    void names_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("written");
        const QStringList panel{"--gcode", "--span", "300", "--towers", "500"};
        QTest::newRow("after the input")
            << panel + QStringList{"root.dat"} << QStringList{"root.ngc", "root-gcode.svg"};
        QTest::newRow("with the sheet") << panel + QStringList{"--pdf", "root.dat"}
                                        << QStringList{"root.ngc", "root-gcode.svg", "root.pdf"};
        QTest::newRow("standard input, named") << panel + QStringList{"--name", "wing", "-"}
                                               << QStringList{"wing.ngc", "wing-gcode.svg"};
    }
    void names() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, written);
        const ToolRun done = runTool(
            {.program = QStringLiteral(VANDRIX_EXPORT_COMMAND),
             .arguments = QStringList{QStringLiteral("-o"), dir_->path()} + withFiles(arguments),
             .input = stationDataFile(Naca2412, "stdin")});
        QVERIFY2(done.exitCode == 0, done.err.constData());
        written << QStringLiteral("root.dat") << QStringLiteral("tip.dat");
        QStringList files = QDir(dir_->path()).entryList(QDir::Files);
        files.sort();
        written.sort();
        QCOMPARE(files, written);
    }

    // A cut the input cannot give fails that input with one line and writes nothing of it.
    void inputFailures_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");
        const QStringList panel{"--gcode", "--span", "600", "--towers", "800", "--chord", "200"};
        // The trailing edge at 220, the lead-in to 230: a tapered tip pushes the left tower
        // further aft.
        QTest::newRow("beyond the travel")
            << panel + QStringList{"--travel",    "230:100", "--tip",   "tip.dat",
                                   "--tip-chord", "100",     "root.dat"}
            << "root.dat: axis X goes to 246.6667 mm, beyond its travel of 230 mm";
        QTest::newRow("below 0") << panel + QStringList{"--origin", "20:0", "root.dat"}
                                 << "root.dat: axis Y goes to -";
        QTest::newRow("an inset that leaves nothing")
            << panel + QStringList{"--inset", "14", "root.dat"}
            << "root.dat: root: an inset of 14 mm leaves nothing";
        QTest::newRow("a tip that is no section")
            << panel + QStringList{"--tip", "root.ngc.txt", "root.dat"} << "root.dat: tip ";
        QTest::newRow("an output over the tip")
            << panel + QStringList{"--tip", "root.ngc", "root.dat"} << "root.dat: refused: ";
    }
    void inputFailures() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        QVERIFY(writeFile(path(QStringLiteral("root.ngc.txt")), "no section\n"));
        QVERIFY(writeFile(path(QStringLiteral("root.ngc")), stationDataFile(Naca0012, "tip")));
        const ToolRun done = run(arguments);
        QCOMPARE(done.exitCode, 1);
        const QList<QByteArray> lines = done.err.trimmed().split('\n');
        QCOMPARE(lines.size(), 1);
        QVERIFY2(
            lines[0].startsWith(QByteArray("vandrix-export: " + withFiles({line})[0].toUtf8())),
            lines[0].constData());
        QVERIFY(!QFile::exists(path(QStringLiteral("root-gcode.svg"))));
        QCOMPARE(readAll(path(QStringLiteral("root.ngc"))), stationDataFile(Naca0012, "tip"));
    }
};

QTEST_GUILESS_MAIN(TestFoamGCode)
#include "tst_foamgcode.moc"
