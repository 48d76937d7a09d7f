// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportFolder.h"
#include "TemplateReadBack.h"

#include <QTest>

using namespace vandrix;
using namespace vandrix::testing;

// vandrix-export --gcode as a machine's controller reads it, through LinuxCNC's interpreter
// (tests/cli/foam_readback.py), and the files, names and failures as a user meets them.
class TestFoamGCode : public QObject {
    Q_OBJECT

    std::unique_ptr<ExportFolder> dir_;
    const QByteArray tip_ = stationDataFile(Naca4{0.0, 0.0, 0.12}, "tip");

private slots:
    void init() {
        dir_ = std::make_unique<ExportFolder>();
        QVERIFY(dir_->write("root.dat", stationDataFile(Naca4{0.02, 0.4, 0.12}, "root")));
        QVERIFY(dir_->write("tip.dat", tip_));
    }

    // The moves taken back to the faces lie on the kerf paths, paired points at equal x/c, the
    // faster face at the feed; and the header, wire codes and preview around them.
    void readBack_data() {
        QTest::addColumn<QStringList>("arguments");
        const QStringList tapered{"--gcode", "--span",  "600",   "--towers",  "800",
                                  "--chord", "200",     "--tip", "tip.dat",   "--tip-chord",
                                  "120",     "--sweep", "40",    "--washout", "3"};
        QTest::newRow("tapered, swept, washout") << tapered;
        QTest::newRow("kerf, more at the tip; the other wing half")
            << tapered + QStringList{"--kerf", "1",         "--tip-kerf", "1.6",      "--root-side",
                                     "right",  "--root-at", "50",         "--origin", "35:22.5"};
        QTest::newRow("GRBL letters, wire codes, a fast feed, wash-in")
            << tapered + QStringList{"--axes",    "XYZA",      "--wire-on", "M3 S400", "--wire-off",
                                     "M5",        "--preheat", "2.5",       "--feed",  "450",
                                     "--washout", "-6",        "--kerf",    "1.2"};
    }
    void readBack() {
        QFETCH(QStringList, arguments);
        arguments << QStringLiteral("root.dat");
        const ToolRun exported = dir_->run(arguments);
        QVERIFY2(exported.exitCode == 0 && exported.err.isEmpty(), exported.err.constData());
        const ToolRun read =
            runTool({.program = QStringLiteral("/usr/bin/python3"),
                     .arguments =
                         QStringList{QStringLiteral(VANDRIX_FOAM_READBACK), "root.ngc"} + arguments,
                     .workDir = dir_->path({}),
                     .timeoutMs = 120000});
        QVERIFY2(read.exitCode == 0, QByteArray(read.out + read.err).constData());
        qInfo("%s", read.out.trimmed().constData());
        const QByteArray text = readAll(dir_->path("root.ngc"));
        QVERIFY(text.startsWith("(vandrix-export "));
        QVERIFY(text.contains("(lead-in start, 10 mm behind the middle of the trailing edge: "));
        QCOMPARE(text.contains("\nM3 S400\nG4 P2.5000\nG1 ") && text.endsWith("\nM5\nM2\n"),
                 arguments.contains("--wire-on"));
        const QByteArray svg = readAll(dir_->path("root-gcode.svg"));
        for (const char* group : {"root-outline", "tip-outline", "root-path", "tip-path",
                                  "left-tower", "right-tower"}) {
            QVERIFY2(svg.contains(QByteArray(QByteArray("<g id=\"") + group + '"')), group);
        }
        QCOMPARE(dir_->written(), (QStringList{"root-gcode.svg", "root.ngc"}));
    }

    // Outputs named as every output is, never over an input (the tip included); a cut the input
    // cannot give fails that input with one line and writes nothing of it.
    void runs_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");  // the line on stderr, or its start
        QTest::addColumn<QStringList>("written");
        const QStringList panel{"--gcode", "--span", "600", "--towers", "800", "--chord", "200"};
        const auto row = [&](const char* name, const QStringList& arguments, const char* error,
                             const QStringList& written = {}) {
            QTest::newRow(name) << panel + arguments << QString::fromUtf8(error) << written;
        };
        row("with the sheet", {"--pdf", "root.dat"}, "",
            {"root-gcode.svg", "root.ngc", "root.pdf"});
        row("standard input, named", {"--name", "wing", "-"}, "", {"wing-gcode.svg", "wing.ngc"});
        // The trailing edge at 220, the lead-in to 230: a tapered tip pushes the left tower aft.
        row("beyond the travel", {"--travel", "230:100", "--tip-chord", "100", "root.dat"},
            "root.dat: axis X goes to 246.6667 mm, beyond its travel of 230 mm");
        row("below 0", {"--origin", "20:0", "root.dat"}, "root.dat: axis Y goes to -");
        row("beyond any number", {"--span", "1e-300", "root.dat"},
            "root.dat: axis X goes beyond any number");
        row("nothing of the root", {"--inset", "14", "root.dat"},
            "root.dat: root: an inset of 14 mm leaves nothing");
        row("nothing of the tip", {"--inset", "7", "--tip-chord", "100", "root.dat"},
            "root.dat: tip: an inset of 7 mm leaves nothing");
        row("a tip that is no section", {"--tip", "root.ngc.txt", "root.dat"},
            "root.dat: tip root.ngc.txt: ");
        row("an output over the tip", {"--tip", "root.ngc", "root.dat"}, "root.dat: refused: ");
    }
    void runs() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QFETCH(QStringList, written);
        // A failure leaves the files as they were, root.ngc among them.
        const bool fails = !error.isEmpty();
        QVERIFY(!fails ||
                (dir_->write("root.ngc.txt", "no section\n") && dir_->write("root.ngc", tip_)));
        const ToolRun done = dir_->run(arguments, stationDataFile(Naca4{0.02, 0.4, 0.12}, "in"));
        QCOMPARE(done.exitCode, error.isEmpty() ? 0 : 1);
        QVERIFY2(error.isEmpty()
                     ? done.err.isEmpty()
                     : done.err.startsWith(QByteArray("vandrix-export: " + error.toUtf8())) &&
                           done.err.count('\n') == 1,
                 done.err.constData());
        QCOMPARE(dir_->written(), written);
        QVERIFY(!fails || readAll(dir_->path("root.ngc")) == tip_);
    }
};

QTEST_GUILESS_MAIN(TestFoamGCode)
#include "tst_foamgcode.moc"
