// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageImage.h"
#include "TestFiles.h"
#include "ToolRun.h"
#include "WindowPicture.h"
#include "export/ExportJob.h"
#include "formats/DataFile.h"
#include "render/PlotStyle.h"
#include "session/OpenFlow.h"
#include "ui/PictureBox.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace vandrix;

// The export's files against the window's own drawing and the printed sheet's layout.
class TestExport : public QObject {
    Q_OBJECT

private slots:
    void pngEqualsPictureArea_data();
    void pngEqualsPictureArea();
    void svgHoldsGridAndSegments();
    void pdfHoldsSheet();

private:
    // Exports one sample with the given settings; the job's outputs, or empty on failure.
    ExportJob exportSample(const char* name, ExportSettings settings);

    QTemporaryDir dir_;
};

ExportJob TestExport::exportSample(const char* name, ExportSettings settings) {
    const std::vector<ExportJob> jobs =
        PlanExports({testing::samplePath(name)}, dir_.path(), settings);
    const ExportReport report = RunExport(jobs.front(), settings);
    return report.errors.isEmpty() ? jobs.front() : ExportJob{};
}

void TestExport::pngEqualsPictureArea_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<int>("scale");
    QTest::newRow("2412 at 1000") << "naca2412.dat" << 1000;
    QTest::newRow("4415 at 1400, cut at the top") << "naca4415.dat" << 1400;
    QTest::newRow("0012 at 333") << "naca0012.dat" << 333;
    QTest::newRow("6409 mirrored at -700") << "naca6409.dat" << -700;
}

void TestExport::pngEqualsPictureArea() {
    QFETCH(QString, sample);
    QFETCH(int, scale);
    ExportSettings settings;
    settings.png = true;
    settings.screenScale = static_cast<std::int16_t>(scale);
    const ExportJob job = exportSample(qPrintable(sample), settings);
    QVERIFY(!job.png.isEmpty());

    // The picture area as the window lays it out and sets it up when it loads.
    PictureBox picture;
    testing::setUpAsInTheWindow(picture);
    AppState state;
    state.Language = 1;
    state.DataPath = testing::samplePath(qPrintable(sample));
    QVERIFY(ReadDataFile(state).messages.isEmpty());
    picture.drawPlot(settings.screenScale, {state.PointX, state.PointY});

    const QImage png(job.png);
    QCOMPARE(png.size(), QSize(996, 396));
    QCOMPARE(png.convertToFormat(QImage::Format_RGB32), picture.image());
}

void TestExport::svgHoldsGridAndSegments() {
    ExportSettings settings;
    settings.svg = true;
    const ExportJob job = exportSample("naca2412.dat", settings);
    QVERIFY(!job.svg.isEmpty());
    const QString svg = QString::fromUtf8(testing::readAll(job.svg));
    // Each pen starts a group; a segment whose ends coincide is drawn as a round dot.
    static const QRegularExpression group(QStringLiteral(R"re(<g [^>]*stroke="(#[0-9a-f]{6})")re"));
    static const QRegularExpression shape(QStringLiteral("<polyline|<circle"));
    QMap<QString, int> shapes;
    QString stroke;
    qsizetype at = 0;
    for (auto it = group.globalMatch(svg); it.hasNext();) {
        const auto m = it.next();
        shapes[stroke] += static_cast<int>(svg.mid(at, m.capturedStart() - at).count(shape));
        stroke = m.captured(1);
        at = m.capturedEnd();
    }
    shapes[stroke] += static_cast<int>(svg.mid(at).count(shape));
    QCOMPARE(shapes.value(PlotGridColor.name()), 16);
    QCOMPARE(shapes.value(PlotCurveColor.name()), 400);
}

void TestExport::pdfHoldsSheet() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        QSKIP("poppler-utils is not installed (scripts/setup installs it)");
    }
    ExportSettings settings;
    settings.pdf = true;
    settings.printerScale = 120;
    settings.fontName = QStringLiteral("DejaVu Serif");
    const ExportJob job = exportSample("naca2412.dat", settings);
    QVERIFY(!job.pdf.isEmpty());

    const testing::ToolRun pdftotext =
        testing::runTool(QStringLiteral("pdftotext"),
                         {QStringLiteral("-layout"), job.pdf, QStringLiteral("-")}, 30000);
    QCOMPARE(pdftotext.exitCode, 0);
    const QString text = QString::fromUtf8(pdftotext.out);
    QVERIFY2(text.contains(QStringLiteral("NACA 2412")), qPrintable(text));
    static const QRegularExpression row(QStringLiteral(R"(Max thickness\s+: 12\.0 %)"));
    QVERIFY2(text.contains(row), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Points")) && text.contains(QStringLiteral(": 201")));

    const testing::PageImage page(job.pdf, dir_.filePath(QStringLiteral("page")));
    QVERIFY(page.isA4());
    const QString missing = testing::missingGrid(page, settings.printerScale);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
