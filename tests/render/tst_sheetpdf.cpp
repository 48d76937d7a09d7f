// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageImage.h"
#include "TestFiles.h"
#include "ToolRun.h"
#include "formats/HeaderLine.h"
#include "formats/SectionFile.h"
#include "render/Sheet.h"

#include <QFile>

#include <QGuiApplication>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace vandrix;

namespace {

constexpr double PointsPerMm = 72.0 / 25.4;

struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;  // millimetres from the page's top-left corner
};

// Words with their boxes, as poppler's pdftotext -bbox reports them.
QList<Word> wordsOf(const QString& pdf) {
    const QString html = QString::fromUtf8(
        testing::runTool(QStringLiteral("pdftotext"),
                         {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, 30000)
            .out);
    static const QRegularExpression word(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words << Word{m.captured(5), m.captured(1).toDouble() / PointsPerMm,
                      m.captured(2).toDouble() / PointsPerMm,
                      m.captured(3).toDouble() / PointsPerMm,
                      m.captured(4).toDouble() / PointsPerMm};
    }
    return words;
}

}  // namespace

// The sheet as a PDF file, read back with poppler: text where the sheet puts it, the grid where
// the scale puts it.
class TestSheetPdf : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void textAtItsPositions();
    void gridOnThePage_data();
    void gridOnThePage();

private:
    QString printTo(const QString& name, double scale);

    QTemporaryDir dir_;
    SectionCurves curves_;
    std::array<QString, HeaderPairCount> labels_;
    std::array<QString, HeaderPairCount> values_;
};

void TestSheetPdf::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        QSKIP("poppler-utils is not installed (scripts/setup installs it)");
    }
    SectionReading how;
    const SectionRead data = ReadSection(testing::samplePath("naca2412.dat"), how);
    QVERIFY(data.clean());
    for (std::size_t k = 0; k < labels_.size(); ++k) {
        labels_.at(k) = LabelIn(data.section.labels.at(k), 1);
        values_.at(k) = data.section.values.at(k);
    }
    curves_ = data.section.curves;
}

QString TestSheetPdf::printTo(const QString& name, double scale) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return {};
    }
    const SheetContent sheet =
        SheetOfPairs(labels_, values_, QStringLiteral("DejaVu Serif"), scale, curves_);
    return WriteSheetPdf(file, sheet) ? path : QString();
}

void TestSheetPdf::textAtItsPositions() {
    const QString pdf = printTo(QStringLiteral("sheet.pdf"), 150.5);
    QVERIFY(!pdf.isEmpty());
    const QList<Word> words = wordsOf(pdf);
    const auto find = [&words](const QString& text) -> const Word* {
        for (const Word& w : words) {
            if (w.text == text) {
                return &w;
            }
        }
        return nullptr;
    };
    // The title's top-left corner at (10, 10) mm.
    const Word* title = find(QStringLiteral("NACA"));
    QVERIFY(title != nullptr);
    QVERIFY2(qAbs(title->xMin - 10) < 0.5, qPrintable(QString::number(title->xMin)));
    QVERIFY2(qAbs(title->yMin - 10) < 0.5, qPrintable(QString::number(title->yMin)));
    // 18 points is about 6.35 mm; 9 points half that.
    QVERIFY(title->yMax - title->yMin > 5.0 && title->yMax - title->yMin < 8.0);

    const QStringList firstWords = {"No.", "Date", "Max", "Max", "Camber", "LE", "Points"};
    const QStringList values = {"2412", "2026-11-30", "12.0", "2.0", "40.0", "1.59", "201"};
    for (int row = 0; row < 7; ++row) {
        const double top = 100 + 5 * row;
        bool captionFound = false;
        bool valueFound = false;
        for (const Word& w : words) {
            if (qAbs(w.yMin - top) >= 0.5) {
                continue;
            }
            captionFound = captionFound || (w.text == firstWords[row] && qAbs(w.xMin - 10) < 0.5);
            valueFound = valueFound || (w.text == QLatin1Char(':') && qAbs(w.xMin - 50) < 0.5);
            valueFound = valueFound ||
                         (w.text == QStringLiteral(":") + values[row] && qAbs(w.xMin - 50) < 0.5);
        }
        QVERIFY2(captionFound, qPrintable(firstWords[row]));
        QVERIFY2(valueFound, qPrintable(values[row]));
    }
    QVERIFY(find(QStringLiteral("Name")) == nullptr);  // Label1 is never printed
}

void TestSheetPdf::gridOnThePage_data() {
    QTest::addColumn<double>("scale");
    QTest::newRow("100 mm") << 100.0;
    QTest::newRow("180 mm") << 180.0;
}

void TestSheetPdf::gridOnThePage() {
    QFETCH(double, scale);
    const QString pdf = printTo(QStringLiteral("grid%1.pdf").arg(scale), scale);
    QVERIFY(!pdf.isEmpty());
    const testing::PageImage page(pdf, dir_.filePath(QStringLiteral("grid%1").arg(scale)));
    QVERIFY(page.isA4());
    const QString missing = testing::missingGrid(page, scale);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
}

QTEST_MAIN(TestSheetPdf)
#include "tst_sheetpdf.moc"
