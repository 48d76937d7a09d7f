// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"
#include "export/ExportJob.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vandrix;

// The files each input becomes, and the inputs that may not be exported at all: an output never
// replaces an input (under any name) and two inputs never write the same file.
class TestPlanExports : public QObject {
    Q_OBJECT

private slots:
    void plan_data();
    void plan();
};

void TestPlanExports::plan_data() {
    QTest::addColumn<QStringList>("inputs");    // in the test's folder; "-" is standard input
    QTest::addColumn<QString>("outputDir");     // in the test's folder
    QTest::addColumn<QString>("formats");       // pdf png svg dat dxf template
    QTest::addColumn<QStringList>("expected");  // per input: its outputs, or "refused: ..."
    QTest::newRow("names after the inputs")
        << QStringList{"in/a.dat", "in/b.x.dat"} << "out"
        << "pdf png" << QStringList{"out/a.pdf out/a.png", "out/b.x.pdf out/b.x.png"};
    QTest::newRow("standard input takes its stem")
        << QStringList{"-"} << "out"
        << "svg dxf template" << QStringList{"out/in.svg out/in.dxf out/in-template.pdf"};
    QTest::newRow("the same base name twice: the second is refused")
        << QStringList{"in/a.dat", "in/other/a.dat"} << "out"
        << "png"
        << QStringList{"out/a.png", "refused: out/a.png is already written by another input"};
    QTest::newRow("a converted file over its own input")
        << QStringList{"in/a.dat"} << "in"
        << "dat" << QStringList{"refused: in/a.dat would replace an input file"};
    QTest::newRow("over an input through a link")
        << QStringList{"in/other/a.dat", "in/b.x.dat"} << "link"
        << "png dat"
        << QStringList{"link/a.png link/a.dat",
                       "refused: link/b.x.dat would replace an input file"};
}

void TestPlanExports::plan() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, outputDir);
    QFETCH(QString, formats);
    QFETCH(QStringList, expected);
    QTemporaryDir root;
    const QDir dir(root.path());
    QVERIFY(dir.mkpath(QStringLiteral("in/other")) && dir.mkpath(QStringLiteral("out")));
    for (const char* file : {"in/a.dat", "in/b.x.dat", "in/other/a.dat"}) {
        QVERIFY(testing::writeFile(dir.filePath(QLatin1String(file)), "x"));
    }
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("in")), dir.filePath(QStringLiteral("link"))));
    QStringList paths;
    for (const QString& input : inputs) {
        paths << (input == QLatin1String("-") ? input : dir.filePath(input));
    }
    ExportSettings settings;
    const QStringList wanted = formats.split(u' ');
    settings.pdf = wanted.contains(QStringLiteral("pdf"));
    settings.png = wanted.contains(QStringLiteral("png"));
    settings.svg = wanted.contains(QStringLiteral("svg"));
    settings.dat = wanted.contains(QStringLiteral("dat"));
    settings.templates.dxf = wanted.contains(QStringLiteral("dxf"));
    settings.templates.pdf = wanted.contains(QStringLiteral("template"));
    settings.stdinName = QStringLiteral("in");

    const std::vector<ExportJob> jobs = PlanExports(paths, dir.filePath(outputDir), settings);
    QStringList got;
    const QString prefix = root.path() + QLatin1Char('/');
    for (const ExportJob& job : jobs) {
        QStringList outputs;
        for (const QString& output : {job.pdf, job.png, job.svg, job.dat, job.templates.dxf,
                                      job.templates.pdf, job.templates.svg}) {
            if (!output.isEmpty()) {
                outputs << QString(output).remove(prefix);
            }
        }
        got << (job.refusal.isEmpty()
                    ? outputs.join(u' ')
                    : QString(job.refusal).remove(prefix).remove(QStringLiteral(" of this run")));
    }
    QCOMPARE(got, expected);
}

QTEST_GUILESS_MAIN(TestPlanExports)
#include "tst_planexports.moc"
