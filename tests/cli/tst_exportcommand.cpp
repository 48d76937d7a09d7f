// SPDX-License-Identifier: GPL-3.0-or-later
#include "CsvReader.h"
#include "TestFiles.h"
#include "ToolRun.h"
#include "formats/SectionImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace vandrix;
using vandrix::testing::runTool;
using vandrix::testing::ToolRun;

namespace {

// Runs the command in `dir` without a display.
ToolRun runExport(const QStringList& arguments, const QString& dir) {
    return runTool({.program = QStringLiteral(VANDRIX_EXPORT_COMMAND),
                    .arguments = arguments,
                    .workDir = dir,
                    .unsetEnv = {"QT_QPA_PLATFORM", "DISPLAY"}});
}

QStringList lines(const QByteArray& text) {
    return QString::fromLocal8Bit(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

// The command as a user runs it: exit status, one line per problem, the files it leaves.
class TestExportCommand : public QObject {
    Q_OBJECT

private slots:
    void init();
    void batch_data();
    void batch();
    void usageErrors_data();
    void usageErrors();
    void programDirectory_data();
    void programDirectory();
    void table();

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestExportCommand::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("in/other")));
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("out")));
    const QByteArray sample = testing::readAll(testing::samplePath("naca2412.dat"));
    QByteArray malformed = sample;
    malformed.replace("Date:", "Date");  // the header stops at that line
    const QList<std::pair<const char*, QByteArray>> files = {
        {"in/a.dat", sample},
        {"in/b.dat", testing::readAll(testing::samplePath("naca4415.dat"))},
        {"in/other/a.dat", sample},
        {"in/short.dat", sample.left(600)},
        {"in/odd.dat", malformed},
        {"in/empty.dat", {}},
        {"in/wing.dat", testing::readAll(testing::samplePath("sections/naca2412-selig.dat"))},
        {"in/stub.dat", "stub\r\n1 0\r\n0.5 0.1\r\n0 0\r\n0.5 -0.1\r\n1 0\r\n"}};
    for (const auto& [name, bytes] : files) {
        QVERIFY(testing::writeFile(dir_->filePath(QLatin1String(name)), bytes));
    }
}

void TestExportCommand::batch_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("complaints");  // a word of each stderr line, in order
    QTest::addColumn<QStringList>("written");     // every file in out/ afterwards
    QTest::newRow("all good, default PDF") << QStringList{"-o", "out", "in/a.dat", "in/b.dat"} << 0
                                           << QStringList{} << QStringList{"a.pdf", "b.pdf"};
    QTest::newRow("unreadable inputs") << QStringList{"--png",
                                                      "-j",
                                                      "3",
                                                      "-o",
                                                      "out",
                                                      "in/a.dat",
                                                      "in/short.dat",
                                                      "in/missing.dat",
                                                      "in/empty.dat",
                                                      "in/b.dat"}
                                       << 1 << QStringList{"short.dat", "missing.dat", "empty.dat"}
                                       << QStringList{"a.png", "b.png"};
    QTest::newRow("missing output directory")
        << QStringList{"--png", "--svg", "-o", "nowhere", "in/a.dat"} << 1
        << QStringList{"nowhere/a.png", "nowhere/a.svg"} << QStringList{};
    QTest::newRow("same output twice")
        << QStringList{"--svg", "-o", "out", "in/a.dat", "in/other/a.dat", "in/b.dat"} << 1
        << QStringList{"in/other/a.dat: refused"} << QStringList{"a.svg", "b.svg"};
    QTest::newRow("output over an input") << QStringList{"--dat", "-o", "in", "in/a.dat"} << 1
                                          << QStringList{"replace an input"} << QStringList{};
    QTest::newRow("data file copy") << QStringList{"--dat", "--png", "-o", "out", "in/a.dat"} << 0
                                    << QStringList{} << QStringList{"a.dat", "a.png"};
    QTest::newRow("section file to data file and picture")
        << QStringList{"--dat", "--png", "-o", "out", "in/wing.dat"} << 0 << QStringList{}
        << QStringList{"wing.dat", "wing.png"};
    QTest::newRow("section file that makes no section")
        << QStringList{"--dat", "--png", "-o", "out", "in/stub.dat", "in/b.dat"} << 1
        << QStringList{"stub.dat: Cannot read section file"} << QStringList{"b.dat", "b.png"};
    QTest::newRow("header stops early: a warning")
        << QStringList{"--png", "-o", "out", "in/odd.dat"} << 0 << QStringList{"odd.dat: warning"}
        << QStringList{"odd.png"};
}

void TestExportCommand::batch() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QStringList, complaints);
    QFETCH(QStringList, written);
    const ToolRun run = runExport(arguments, dir_->path());
    const QStringList errorLines = lines(run.err);
    QCOMPARE(run.exitCode, status);
    QCOMPARE(errorLines.size(), complaints.size());
    for (qsizetype i = 0; i < complaints.size(); ++i) {
        const QString& line = errorLines[i];
        QVERIFY2(
            line.startsWith(QStringLiteral("vandrix-export: ")) && line.contains(complaints[i]),
            qPrintable(line));
    }
    QCOMPARE(QDir(dir_->filePath(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden),
             written);
    QCOMPARE(testing::readAll(dir_->filePath(QStringLiteral("in/a.dat"))),
             testing::readAll(testing::samplePath("naca2412.dat")));
    if (written.contains(QStringLiteral("a.dat"))) {
        QCOMPARE(testing::readAll(dir_->filePath(QStringLiteral("out/a.dat"))),
                 testing::readAll(testing::samplePath("naca2412.dat")));
    }
    if (written.contains(QStringLiteral("wing.dat"))) {
        // The converted data file, exactly as the viewer reads the section file.
        const QString input = dir_->filePath(QStringLiteral("in/wing.dat"));
        const Result<ConvertedSection> expected =
            ConvertSection(testing::readAll(input), input, QFileInfo(input).lastModified().date());
        QVERIFY(expected);
        QCOMPARE(testing::readAll(dir_->filePath(QStringLiteral("out/wing.dat"))),
                 expected.value().dataFile);
    }
}

// Usage errors as the command reports them: status 2, the reason and where to find help. How
// the command line itself is read, and its reasons: tst_exportoptions.
void TestExportCommand::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");  // a part of the first stderr line
    QTest::newRow("an option's name printed escaped")
        << QStringList{"--jp\x1b[2Jeg", "in/a.dat"} << "Unknown option 'jp\\033[2Jeg'.";
    QTest::newRow("program directory without Set.txt")
        << QStringList{"--program-dir", "in", "in/a.dat"}
        << "in/Set.txt: No such file or directory";
    QTest::newRow("table over an input") << QStringList{"--table", "in/b.dat", "in/b.dat"}
                                         << "--table in/b.dat: it would replace an input file";
    QTest::newRow("table over an output")
        << QStringList{"--table", "out/b.pdf", "--pdf", "in/b.dat"}
        << "--table out/b.pdf: it is also an output of this run";
    QTest::newRow("table over the rib tip")
        << QStringList{"--table", "in/b.dat", "--dxf",    "--ribs",
                       "3",       "--tip",    "in/b.dat", "in/a.dat"}
        << "--table in/b.dat: it would replace an input file";
}

void TestExportCommand::usageErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    const ToolRun run =
        runExport(arguments << QStringLiteral("-o") << QStringLiteral("out"), dir_->path());
    QCOMPARE(run.exitCode, 2);
    const QStringList errorLines = lines(run.err);
    QCOMPARE(errorLines.size(), 2);
    QVERIFY2(errorLines[0].startsWith(QLatin1String("vandrix-export: ")) &&
                 errorLines[0].contains(reason),
             qPrintable(errorLines[0]));
    QCOMPARE(errorLines[1], QStringLiteral("Try 'vandrix-export --help' for more information."));
    QVERIFY(QDir(dir_->filePath(QStringLiteral("out"))).isEmpty());
    QCOMPARE(testing::readAll(dir_->filePath(QStringLiteral("in/b.dat"))),
             testing::readAll(testing::samplePath("naca4415.dat")));
}

void TestExportCommand::programDirectory_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("sameAs");
    QTest::newRow("scale from Set.txt")
        << QStringList{"--program-dir", "prog"} << QStringList{"--screen-scale", "500"};
    QTest::newRow("an explicit scale wins")
        << QStringList{"--program-dir", "prog", "--screen-scale", "1000"} << QStringList{};
}

// A program directory's Set.txt gives the scales, as the viewer would take them there.
void TestExportCommand::programDirectory() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, sameAs);
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("prog")));
    QVERIFY(testing::writeFile(dir_->filePath(QStringLiteral("prog/Set.txt")),
                               "// Language\r\n 1 \r\n// Init DIR\r\n\r\n// Scale\r\n 500 \r\n"
                               "// Printer Scale\r\n 150 \r\n// \r\n\r\n"));
    QVERIFY(QFile::copy(testing::samplePath("Language.txt"),
                        dir_->filePath(QStringLiteral("prog/Language.txt"))));
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("ref")));
    const QStringList common = {QStringLiteral("--png"), QStringLiteral("in/b.dat")};
    QCOMPARE(runExport(arguments + common + QStringList{"-o", "out"}, dir_->path()).exitCode, 0);
    QCOMPARE(runExport(sameAs + common + QStringList{"-o", "ref"}, dir_->path()).exitCode, 0);
    const QByteArray png = testing::readAll(dir_->filePath(QStringLiteral("out/b.png")));
    QVERIFY(!png.isEmpty());
    QCOMPARE(png, testing::readAll(dir_->filePath(QStringLiteral("ref/b.png"))));
}

// --table alone: one CSV row per input in input order, refusals with their reason, no PDF.
void TestExportCommand::table() {
    QVERIFY(testing::writeFile(dir_->filePath(QStringLiteral("in/spike.dat")),
                               testing::readAll(dir_->filePath(QStringLiteral("in/wing.dat")))
                                   .replace("0.50059  0.07238", "0.50059  0.09238")));
    const ToolRun run = runExport({"--table", "out/t.csv", "in/wing.dat", "in/a.dat", "in/stub.dat",
                                   "in/empty.dat", "in/spike.dat"},
                                  dir_->path());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(QDir(dir_->filePath(QStringLiteral("out"))).entryList(QDir::Files),
             QStringList{"t.csv"});
    const QList<QStringList> rows =
        testing::readCsv(testing::readAll(dir_->filePath(QStringLiteral("out/t.csv"))));
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows[0].first(), QStringLiteral("file"));
    const int format = 2;
    const int warnings = 10;
    const int refused = 11;
    QCOMPARE(rows[1][format], QStringLiteral("Selig"));
    QCOMPARE(rows[2][format], QStringLiteral("data file"));
    // naca2412.dat's thickness, measured from its curves.
    QVERIFY2(std::abs(rows[2][4].toDouble() - 12.0) < 0.05, qPrintable(rows[2][4]));
    QVERIFY(rows[3][refused].contains(QLatin1String("fewer than 5")));
    QVERIFY(rows[4][refused].contains(QLatin1String("neither a data file")));
    QVERIFY2(rows[5][warnings].contains(QLatin1String("off the smooth line")),
             qPrintable(rows[5].join(u'|')));
    QVERIFY(lines(run.err).filter(QStringLiteral("spike.dat: warning: the point")).size() == 1);

    // A table to standard output that cannot be written fails the run.
    const ToolRun full = runTool({.program = QStringLiteral(VANDRIX_EXPORT_COMMAND),
                                  .arguments = {"--table", "-", "in/a.dat"},
                                  .workDir = dir_->path(),
                                  .outputFile = QStringLiteral("/dev/full")});
    QCOMPARE(full.exitCode, 1);
    QVERIFY(full.err.contains("No space left on device"));
}

QTEST_GUILESS_MAIN(TestExportCommand)
#include "tst_exportcommand.moc"
