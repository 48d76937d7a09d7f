// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingPaintDevice.h"
#include "render/PlotStyle.h"
#include "render/Sheet.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

#include <cmath>

using namespace vandrix;
using testing::PaintedOp;
using testing::RecordingPaintDevice;

namespace {

// The sheet's title and table colours (the plot's are PlotGridColor and PlotCurveColor).
const QColor TitleBlue(0, 0, 255);
const QColor TableBlack(0, 0, 0);

SheetContent sheetOf(double scale, const SectionCurves& curves,
                     QString title = QStringLiteral("T")) {
    SheetContent sheet{QStringLiteral("DejaVu Serif"), std::move(title), {}, {}, scale, curves};
    for (int row = 0; row < SheetRows; ++row) {
        sheet.captions[static_cast<std::size_t>(row)] = QStringLiteral("C%1").arg(row + 2);
        sheet.values[static_cast<std::size_t>(row)] = QStringLiteral("V%1").arg(row + 2);
    }
    return sheet;
}

QList<PaintedOp> paint(const SheetContent& sheet) {
    RecordingPaintDevice device;
    QPainter painter(&device);
    PaintSheet(painter, sheet);
    painter.end();
    return device.ops;
}

QList<PaintedOp> linesOf(const QList<PaintedOp>& ops) {
    QList<PaintedOp> lines;
    for (const PaintedOp& op : ops) {
        if (op.kind == PaintedOp::Kind::Line) {
            lines << op;
        }
    }
    return lines;
}

// Page coordinates in millimetres: equal within a micrometre.
bool near(double a, double b) {
    return std::abs(a - b) < 1e-3;
}

QString describe(const PaintedOp& op) {
    return QStringLiteral("%1 %2 %3 %4 %5 w%6")
        .arg(op.line.x1())
        .arg(op.line.y1())
        .arg(op.line.x2())
        .arg(op.line.y2())
        .arg(op.color.name())
        .arg(op.width);
}

bool isLine(const PaintedOp& op, double x1, double y1, double x2, double y2, const QColor& color) {
    return op.kind == PaintedOp::Kind::Line && near(op.line.x1(), x1) && near(op.line.y1(), y1) &&
           near(op.line.x2(), x2) && near(op.line.y2(), y2) && op.color == color;
}

#define VERIFY_LINE(op, x1, y1, x2, y2, color) \
    QVERIFY2(isLine(op, x1, y1, x2, y2, color), qPrintable(describe(op)))

}  // namespace

// The printed sheet as painted on a page, in millimetres from its printable corner.
class TestPrintSheet : public QObject {
    Q_OBJECT

private slots:
    void headerAndTable();
    void grid_data();
    void grid();
    void emptyTextsLeaveNoMark();
    void sheetOfPairs();
    void pdfOnADeviceThatTakesNothing();
    void beginSheetPage_data();
    void beginSheetPage();
};

void TestPrintSheet::headerAndTable() {
    const QList<PaintedOp> ops = paint(sheetOf(100, {}, QStringLiteral("NACA 2412")));
    QCOMPARE(ops.size(), 1 + 7 + 7 + 16 + 400);
    const PaintedOp& title = ops[0];
    QCOMPARE(title.text, QStringLiteral("NACA 2412"));
    QCOMPARE(title.family, QStringLiteral("DejaVu Serif"));
    QCOMPARE(title.points, 18.0);
    QCOMPARE(title.color, TitleBlue);
    QVERIFY(near(title.topLeft.x(), 10) && near(title.topLeft.y(), 10));
    for (int row = 0; row < 7; ++row) {
        const PaintedOp& caption = ops[1 + row];
        const PaintedOp& value = ops[8 + row];
        QCOMPARE(caption.text, QStringLiteral("C%1").arg(row + 2));
        QCOMPARE(value.text, QStringLiteral(": V%1").arg(row + 2));
        for (const PaintedOp* text : {&caption, &value}) {
            QCOMPARE(text->points, 9.0);
            QCOMPARE(text->color, TableBlack);
            QVERIFY(near(text->topLeft.y(), 100 + 5 * row));
        }
        QVERIFY(near(caption.topLeft.x(), 10));
        QVERIFY(near(value.topLeft.x(), 50));
    }
    for (qsizetype k = 15; k < ops.size(); ++k) {
        const bool grid = k < 15 + 16;
        QCOMPARE(ops[k].width, grid ? 1 : 2);
        QCOMPARE(ops[k].color, grid ? PlotGridColor : PlotCurveColor);
    }
}

void TestPrintSheet::grid_data() {
    QTest::addColumn<double>("scale");
    QTest::addColumn<double>("bottom");  // page y of data y = -0.1
    QTest::addColumn<double>("top");     // page y of data y = 0.3
    QTest::newRow("100 mm") << 100.0 << 85.0 << 45.0;
    QTest::newRow("180 mm") << 180.0 << 93.0 << 21.0;
    QTest::newRow("150.5 mm") << 150.5 << 90.05 << 29.85;
}

void TestPrintSheet::grid() {
    QFETCH(double, scale);
    QFETCH(double, bottom);
    QFETCH(double, top);
    const QList<PaintedOp> lines = linesOf(paint(sheetOf(scale, {})));
    for (int a = 0; a <= 10; ++a) {
        const double x = (a / 10.0) * scale + 10;
        VERIFY_LINE(lines[a], x, bottom, x, top, PlotGridColor);
    }
    for (int j = -1; j <= 3; ++j) {
        const double y = 75 - (j / 10.0) * scale;
        VERIFY_LINE(lines[12 + j], 10, y, scale + 10, y, PlotGridColor);
    }
}

void TestPrintSheet::emptyTextsLeaveNoMark() {
    const SheetContent sheet{QString(), QString(), {}, {}, 100, {}};
    QList<PaintedOp> texts;
    for (const PaintedOp& op : paint(sheet)) {
        if (op.kind == PaintedOp::Kind::Text) {
            texts << op;
        }
    }
    // Only the values' ": " remains of the title and the table.
    QCOMPARE(texts.size(), 7);
    for (const PaintedOp& text : texts) {
        QCOMPARE(text.text, QStringLiteral(": "));
    }
}

void TestPrintSheet::sheetOfPairs() {
    std::array<QString, HeaderPairCount> labels;
    std::array<QString, HeaderPairCount> values;
    for (std::size_t k = 0; k < labels.size(); ++k) {
        labels.at(k) = QStringLiteral("L%1").arg(k + 1);
        values.at(k) = QStringLiteral("V%1").arg(k + 1);
    }
    SectionCurves curves;
    curves.y(1, 7) = 0.25;
    const SheetContent sheet = SheetOfPairs(labels, values, QStringLiteral("F"), 150, curves);
    QCOMPARE(sheet.title, QStringLiteral("V1"));
    QCOMPARE(sheet.captions.front(), QStringLiteral("L2"));
    QCOMPARE(sheet.values.back(), QStringLiteral("V8"));
    QCOMPARE(sheet.fontName, QStringLiteral("F"));
    QCOMPARE(sheet.scale, 150.0);
    QCOMPARE(sheet.curves, curves);
}

void TestPrintSheet::pdfOnADeviceThatTakesNothing() {
    QBuffer closed;  // never opened
    const Status written = WriteSheetPdf(closed, sheetOf(100, {}));
    QVERIFY(!written);
    QCOMPARE(written.error(), QStringLiteral("the output is not open for writing"));
    QVERIFY(closed.data().isEmpty());
}

void TestPrintSheet::beginSheetPage_data() {
    QTest::addColumn<bool>("takes");
    QTest::newRow("the device takes the painter") << true;
    QTest::newRow("the device refuses it") << false;
}

// The page is made A4 with the smallest margins before the painter begins, whether the device
// then takes it or not; its refusal is the step's failure, word for word.
void TestPrintSheet::beginSheetPage() {
    QFETCH(bool, takes);
    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A3));
    QPainter painter;
    const Status begun = BeginSheetPage(painter, writer, [&](QPainter& p) {
        return takes && p.begin(&writer) ? Status::success()
                                         : Status::failure(QStringLiteral("refused here"));
    });
    QCOMPARE(begun.ok(), takes);
    QCOMPARE(painter.isActive(), takes);
    QCOMPARE(writer.pageLayout().pageSize().id(), QPageSize::A4);
    QCOMPARE(writer.pageLayout().margins(), writer.pageLayout().minimumMargins());
    if (takes) {
        QVERIFY(painter.testRenderHint(QPainter::Antialiasing));
        QVERIFY(painter.testRenderHint(QPainter::TextAntialiasing));
        painter.end();
    } else {
        QCOMPARE(begun.error(), QStringLiteral("refused here"));
    }
}

QTEST_MAIN(TestPrintSheet)
#include "tst_printsheet.moc"
