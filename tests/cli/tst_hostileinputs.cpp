// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"
#include "ToolRun.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

using namespace vandrix;
using vandrix::testing::readAll;
using vandrix::testing::runTool;
using vandrix::testing::samplePath;
using vandrix::testing::ToolRun;
using vandrix::testing::writeFile;

namespace {

// The command through sh in `dir`, so that names may be any bytes; `input` is its standard
// input.
ToolRun runShell(const QString& script, const QString& dir, const QByteArray& input = {}) {
    return runTool({.program = QStringLiteral("/bin/sh"),
                    .arguments = {QStringLiteral("-c"), script},
                    .workDir = dir,
                    .setEnv = {{"X", QStringLiteral(VANDRIX_EXPORT_COMMAND)}},
                    .input = input});
}

QStringList outputs(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The sample with its first coordinate replaced.
QByteArray withFirstPoint(const QByteArray& point) {
    QList<QByteArray> lines = readAll(samplePath("naca2412.dat")).split('\n');
    lines[15] = point + '\r';
    return lines.join('\n');
}

}  // namespace

// vandrix-export given what is not an ordinary file, a pipe, a link to its own output, numbers
// a page cannot carry, a full disk, a signal, and names that are not text.
class TestHostileInputs : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void notRegular_data();
    void notRegular();
    void pipes_data();
    void pipes();
    void templateFromStandardInput();
    void sameFile_data();
    void sameFile();
    void offPage_data();
    void offPage();
    void diskFull();
    void interrupted_data();
    void interrupted();
    void names_data();
    void names();

private:
    QString path(const char* name) const { return dir_->filePath(QLatin1String(name)); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestHostileInputs::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("in")));
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("out")));
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("prog")));
    QVERIFY(writeFile(path("in/a.dat"), readAll(samplePath("naca2412.dat"))));
    QVERIFY(writeFile(path("in/wing.dat"), readAll(samplePath("sections/naca2412-selig.dat"))));
    QVERIFY(writeFile(path("prog/Language.txt"), readAll(samplePath("Language.txt"))));
    QVERIFY(writeFile(path("prog/Set.txt"), "// Language\r\n1\r\n"));
    QCOMPARE(::mkfifo(QFile::encodeName(path("in/fifo")).constData(), 0600), 0);
}

void TestHostileInputs::cleanup() {
    // QTemporaryDir cannot remove names that are not UTF-8.
    runShell(QStringLiteral("rm -rf in out"), dir_->path());
    dir_.reset();
}

// Each entry of the command once with a FIFO no program writes to, and the devices.
void TestHostileInputs::notRegular_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("error");  // part of stderr
    QTest::addColumn<QStringList>("written");
    QTest::newRow("FIFO as input: an empty input")
        << "$X --png -o out in/fifo in/a.dat"
        << 1
        // Reported like an empty file: neither a data file nor a section file.
        << QByteArray("in/fifo: neither a data file") << QStringList{"a.png"};
    QTest::newRow("FIFO as Set.txt")
        << "rm prog/Set.txt && mkfifo prog/Set.txt && $X --program-dir prog -o out in/a.dat" << 2
        << QByteArray("prog/Set.txt: not a regular file") << QStringList{};
    QTest::newRow("FIFO as Language.txt")
        << "rm prog/Language.txt && mkfifo prog/Language.txt && "
           "$X --program-dir prog -o out in/a.dat"
        << 0 << QByteArray("warning: no language file") << QStringList{"a.pdf"};
    QTest::newRow("/dev/zero") << "$X --png -o out /dev/zero in/a.dat" << 1
                               << QByteArray("/dev/zero: not a regular file")
                               << QStringList{"a.png"};
    QTest::newRow("terminal-less stdin from /dev/null: a device")
        << "$X --png -o out - </dev/null" << 1 << QByteArray("-: not a regular file")
        << QStringList{};
}

void TestHostileInputs::notRegular() {
    QFETCH(QString, script);
    QFETCH(int, status);
    QFETCH(QByteArray, error);
    QFETCH(QStringList, written);
    const ToolRun run = runShell(script, dir_->path());
    QCOMPARE(run.exitCode, status);
    QVERIFY2(run.err.contains(error), run.err.constData());
    QVERIFY2(!run.err.contains("QIODevice") && !run.err.contains("Unknown error"),
             run.err.constData());
    QCOMPARE(outputs(path("out")), written);
}

// Standard input and pipes given as paths are read once for every output.
void TestHostileInputs::pipes_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QByteArray>("input");  // standard input
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("stem");  // of the outputs; empty: none written
    QTest::addColumn<QByteArray>("dat");
    const QByteArray sample = readAll(samplePath("naca2412.dat"));
    QTest::newRow("-") << "$X --dat --png --pdf -o out -" << sample << 0 << "stdin" << sample;
    QTest::newRow("/dev/stdin") << "$X --dat --png --pdf -o out /dev/stdin" << sample << 0
                                << "stdin" << sample;
    QTest::newRow("- with --name")
        << "$X --dat --png --pdf --name wing2 -o out -" << sample << 0 << "wing2" << sample;
    QTest::newRow("named FIFO with a writer")
        << "cat in/a.dat > in/fifo & $X --dat --png --pdf -o out in/fifo; s=$?; wait; exit $s"
        << QByteArray() << 0 << "fifo" << sample;
    QTest::newRow("stream that ends early")
        << "$X --dat --png --pdf -o out -" << sample.left(600) << 1 << "" << QByteArray();
    QTest::newRow("section file on standard input")
        << "$X --dat --png --pdf -o out - && head -c 20 out/stdin.dat"
        << readAll(samplePath("sections/naca2412-selig.dat")) << 0 << "stdin" << QByteArray();
}

void TestHostileInputs::pipes() {
    QFETCH(QString, script);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, stem);
    QFETCH(QByteArray, dat);
    const ToolRun run = runShell(script, dir_->path(), input);
    QCOMPARE(run.exitCode, status);
    if (stem.isEmpty()) {
        QCOMPARE(outputs(path("out")), QStringList{});
        return;
    }
    QCOMPARE(outputs(path("out")),
             (QStringList{stem + QStringLiteral(".dat"), stem + QStringLiteral(".pdf"),
                          stem + QStringLiteral(".png")}));
    const QByteArray written = readAll(path("out/") + stem + QStringLiteral(".dat"));
    if (!dat.isEmpty()) {
        QCOMPARE(written, dat);
    } else {
        QVERIFY(written.startsWith(QByteArray(QByteArray("番号:No.:") + stem.toUtf8())));
    }
    // The same picture as from the file itself.
    const ToolRun fromFile = runShell(QStringLiteral("$X --png --pdf -o . in/a.dat"), dir_->path());
    QCOMPARE(fromFile.exitCode, 0);
    if (dat == readAll(samplePath("naca2412.dat"))) {
        QCOMPARE(readAll(path("out/") + stem + QStringLiteral(".png")), readAll(path("a.png")));
    }
}

// A section without a title is labelled after its file; from standard input, after --name.
void TestHostileInputs::templateFromStandardInput() {
    QByteArray untitled = readAll(samplePath("naca2412.dat"));
    untitled.replace("Name:NACA 2412\r\n", "Name:\r\n");
    const ToolRun run =
        runShell(QStringLiteral("$X --template-svg --name wing2 -o out -"), dir_->path(), untitled);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(readAll(path("out/wing2-template.svg")).contains(">wing2, chord 150 mm<"));
}

// An input that is an output's file under another name is refused, for every output kind.
void TestHostileInputs::sameFile_data() {
    QTest::addColumn<QString>("script");  // %1: the output kind
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"dat", "pdf", "png", "svg"}) {
        QTest::addRow("symlink, %s", kind)
            << "ln -s ../out/x.%1 in/x.dat && $X --%1 -o out in/x.dat" << kind;
        QTest::addRow("hard link, %s", kind)
            << "ln out/x.%1 in/x.dat && $X --%1 -o out in/x.dat" << kind;
    }
    QTest::newRow("bind mount (root)")
        << "mkdir mnt && mount --bind out mnt && { $X --%1 -o out mnt/x.dat; s=$?; umount mnt; "
           "exit $s; }"
        << "dat";
}

void TestHostileInputs::sameFile() {
    QFETCH(QString, script);
    QFETCH(QString, kind);
    if (script.contains(QLatin1String("mount")) && ::geteuid() != 0) {
        QSKIP("a bind mount needs root");
    }
    const QByteArray selig = readAll(samplePath("sections/naca2412-selig.dat"));
    QVERIFY(writeFile(path("out/x.") + kind, selig));
    const ToolRun run = runShell(script.arg(kind), dir_->path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("would replace an input file"), run.err.constData());
    QCOMPARE(readAll(path("out/x.") + kind), selig);
}

// Numbers a page cannot carry are left out; the PDF stays a valid file.
void TestHostileInputs::offPage_data() {
    QTest::addColumn<QByteArray>("point");
    QTest::addColumn<QString>("options");
    QTest::newRow("coordinate 1e16") << QByteArray("1e16,0.0") << QString();
    QTest::newRow("coordinate -1e300") << QByteArray("-1e300,1e300") << QString();
    QTest::newRow("printer scale -1e30")
        << QByteArray("1.000000,-0.000000") << QStringLiteral("--printer-scale -1e30");
    QTest::newRow("coordinate 6e3 at scale 180: 10^6 mm off the page")
        << QByteArray("6000,0") << QStringLiteral("--printer-scale 180");
}

void TestHostileInputs::offPage() {
    QFETCH(QByteArray, point);
    QFETCH(QString, options);
    QVERIFY(writeFile(path("in/far.dat"), withFirstPoint(point)));
    const ToolRun run =
        runShell(QStringLiteral("$X --pdf --svg %1 -o out in/far.dat").arg(options), dir_->path());
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    const QString qpdf = QStandardPaths::findExecutable(QStringLiteral("qpdf"));
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (qpdf.isEmpty() || pdfinfo.isEmpty()) {
        QSKIP("qpdf or poppler-utils missing: scripts/setup installs them");
    }
    const ToolRun checked = runShell(QStringLiteral("qpdf --check out/far.pdf >/dev/null && "
                                                    "pdftotext out/far.pdf - >/dev/null"),
                                     dir_->path());
    QCOMPARE(checked.exitCode, 0);
    QVERIFY2(checked.err.isEmpty(), checked.err.constData());
    // The SVG holds no coordinate anywhere near the far point.
    const QByteArray svg = readAll(path("out/far.svg"));
    QVERIFY(svg.contains("</svg>"));
    QVERIFY(!svg.contains("e+") && !svg.contains("nan") && !svg.contains("inf"));
}

// A disk that fills up inside the PDF: the OS's words, no file. (A disk full before the write
// is tst_atomicwrite's "batch: full disk, no file".)
void TestHostileInputs::diskFull() {
    if (::geteuid() != 0) {
        QSKIP("mounting a small tmpfs needs root");
    }
    const QByteArray mountPoint = QFile::encodeName(path("small"));
    QVERIFY(QDir().mkpath(path("small")));
    // 12 KiB: room for the start of a 16 KiB sheet.
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=12k") != 0) {
        QSKIP("this system refuses to mount a tmpfs here");
    }
    const auto unmount = qScopeGuard([&] { ::umount(mountPoint.constData()); });
    const ToolRun run = runShell(QStringLiteral("$X --pdf -o small in/a.dat"), dir_->path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("small/a.pdf: No space left on device"), run.err.constData());
    QVERIFY(!QFile::exists(path("small/a.pdf")));
    QCOMPARE(outputs(path("small")), QStringList{});
}

// A signal in the middle of a 400-file batch: finished files stay, no temporary file is left.
void TestHostileInputs::interrupted_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void TestHostileInputs::interrupted() {
    QFETCH(int, signal);
    QStringList arguments = {QStringLiteral("--pdf"), QStringLiteral("--png"),
                             QStringLiteral("--svg"), QStringLiteral("-j"),
                             QStringLiteral("2"),     QStringLiteral("-o"),
                             QStringLiteral("out")};
    const QByteArray sample = readAll(samplePath("naca2412.dat"));
    for (int k = 0; k < 400; ++k) {
        const QString name = QStringLiteral("in/f%1.dat").arg(k);
        QVERIFY(writeFile(path(name.toLatin1().constData()), sample));
        arguments << name;
    }
    testing::RunningTool process({.program = QStringLiteral(VANDRIX_EXPORT_COMMAND),
                                  .arguments = arguments,
                                  .workDir = dir_->path(),
                                  .timeoutMs = 30000});
    // Signalled once a few outputs are done, well before the last.
    QTRY_VERIFY_WITH_TIMEOUT(outputs(path("out")).size() >= 30, 60000);
    process.signal(signal);
    QCOMPARE(process.wait().exitCode, 128 + signal);
    const QStringList left = outputs(path("out"));
    QVERIFY(left.size() < 1200);
    QVERIFY(left.filter(QStringLiteral(".part")).isEmpty());
    for (const QString& name : left.filter(QStringLiteral(".png"))) {
        QVERIFY2(!QImage(path("out/") + name).isNull(), qPrintable(name));
    }
}

// Names that are not UTF-8 or that hold terminal controls.
void TestHostileInputs::names_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("error");  // stderr exactly
    QTest::addColumn<QString>("written");   // `ls -b` of out/
    QTest::newRow("not UTF-8") << "cp in/a.dat \"in/odd$(printf '\\377').dat\" && "
                                  "$X --png --dat -o out in/odd*.dat in/a.dat >/dev/null"
                               << 0 << QByteArray() << "a.dat\na.png\nodd\\377.dat\nodd\\377.png\n";
    QTest::newRow("not UTF-8, missing") << "$X --png -o out \"in/gone$(printf '\\377')\"" << 1
                                        << QByteArray(
                                               "vandrix-export: in/gone\\377: Cannot open "
                                               "file in/gone\\377: No such file or "
                                               "directory\n")
                                        << QString();
    QTest::newRow("escape sequences")
        << "$X --png -o out \"in/$(printf 'x\\033[2J\\a')\"" << 1
        << QByteArray(
               "vandrix-export: in/x\\033[2J\\a: Cannot open file in/x\\033[2J\\a: No "
               "such file or directory\n")
        << QString();
}

void TestHostileInputs::names() {
    QFETCH(QString, script);
    QFETCH(int, status);
    QFETCH(QByteArray, error);
    QFETCH(QString, written);
    const ToolRun run = runShell(script, dir_->path());
    QCOMPARE(run.exitCode, status);
    QCOMPARE(run.err, error);
    const ToolRun listing = runShell(QStringLiteral("ls -b out >&2"), dir_->path());
    QCOMPARE(QString::fromUtf8(listing.err), written);
}

QTEST_GUILESS_MAIN(TestHostileInputs)
#include "tst_hostileinputs.moc"
