// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageImage.h"
#include "TestFiles.h"
#include "ToolRun.h"
#include "WindowPicture.h"
#include "export/ExportJob.h"
#include "formats/DataFile.h"
#include "render/PalettePng.h"
#include "render/PlotGeometry.h"
#include "render/PlotStyle.h"
#include "session/OpenFlow.h"
#include "ui/PictureBox.h"

#include <QBuffer>
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
    void palettePngKeepsPixels_data();
    void palettePngKeepsPixels();

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
    picture.drawPlot(ComputeScreenPlot(settings.screenScale, {state.PointX, state.PointY}));

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

void TestExport::palettePngKeepsPixels_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("colours");
    QTest::addColumn<bool>("written");
    // Widths that do and do not end on a whole byte of four 2-bit pixels.
    QTest::newRow("one colour") << 8 << 1 << true;
    QTest::newRow("four colours, width 7") << 7 << 4 << true;
    QTest::newRow("three colours, width 5") << 5 << 3 << true;
    QTest::newRow("five colours") << 9 << 5 << false;
}

void TestExport::palettePngKeepsPixels() {
    QFETCH(int, width);
    QFETCH(int, colours);
    QFETCH(bool, written);
    const QList<QRgb> palette{qRgb(255, 255, 255), qRgb(0, 0, 255), qRgb(0, 0, 0),
                              qRgb(200, 10, 30), qRgb(1, 2, 3)};
    QImage image(width, 3, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, palette.at((x * 7 + y * 3) % colours));
        }
    }
    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    const Status result = WritePalettePng(buffer, image);
    QCOMPARE(result.ok(), written);
    if (!written) {
        QCOMPARE(result.error(), QStringLiteral("the picture has more than four colours"));
        QVERIFY(buffer.data().isEmpty());
        return;
    }
    const QImage read = QImage::fromData(buffer.data(), "png");
    QCOMPARE(read.convertToFormat(QImage::Format_RGB32), image);

    QBuffer readOnly;
    QVERIFY(readOnly.open(QIODevice::ReadOnly));
    QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (QBuffer): ReadOnly device");
    const Status failed = WritePalettePng(readOnly, image);
    QVERIFY(!failed && !failed.error().isEmpty());
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
