#include "RecordingPrintSurface.h"
#include "render/PrintSheet.h"

#include <QTest>

#include <limits>

using namespace vandrix;

namespace {

QString line(double x1, double y1, double x2, double y2, Rgb rgb) {
    return RecordingPrintSurface::lineOp(static_cast<float>(x1), static_cast<float>(y1),
                                         static_cast<float>(x2), static_cast<float>(y2), rgb);
}

QStringList printSheet(double scale, const ProfileCurves& state, QString title = QStringLiteral("T")) {
    SheetContent sheet{QStringLiteral("DejaVu Serif"),
                       std::move(title),
                       {},
                       {},
                       scale,
                       state.x,
                       state.y};
    for (int row = 0; row < SheetRows; ++row) {
        sheet.captions[static_cast<std::size_t>(row)] = QStringLiteral("C%1").arg(row + 2);
        sheet.values[static_cast<std::size_t>(row)] = QStringLiteral("V%1").arg(row + 2);
    }
    RecordingPrintSurface surface;
    PrintSheet(surface, sheet);
    return surface.ops;
}

}  // namespace

// The printed sheet's operations, in order, with their page coordinates in millimetres.
class TestPrintSheet : public QObject {
    Q_OBJECT

private slots:
    void headerAndTable();
    void grid_data();
    void grid();
    void curvesInterleave();
    void curvePointAt180();
    void zeroAndNegativeScale();
    void unrepresentableSegmentsAreLeftOut();
    void emptyTextsStillPrint();
    void endReportsItsOutcome();
};

void TestPrintSheet::headerAndTable() {
    ProfileCurves state;
    const QStringList ops = printSheet(100, state, QStringLiteral("NACA 2412"));
    QStringList expected = {"mm",   "A4",   "font DejaVu Serif", "size 18", "color 0000ff",
                            "x 10", "y 10", "print NACA 2412",   "size 9",  "color 000000"};
    for (int row = 0; row < 7; ++row) {
        expected << "x 10" << QStringLiteral("y %1").arg(100 + 5 * row)
                 << QStringLiteral("print C%1").arg(row + 2);
    }
    for (int row = 0; row < 7; ++row) {
        expected << "x 50" << QStringLiteral("y %1").arg(100 + 5 * row)
                 << QStringLiteral("print : V%1").arg(row + 2);
    }
    expected << "width 1";
    QCOMPARE(ops.mid(0, expected.size()), expected);
    QCOMPARE(ops.size(), expected.size() + 16 + 1 + 400 + 1 + 1);
    QCOMPARE(ops[expected.size() + 16], QStringLiteral("width 2"));
    QCOMPARE(ops.mid(ops.size() - 2), (QStringList{"width 1", "end"}));
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
    ProfileCurves state;
    const QStringList ops = printSheet(scale, state);
    const qsizetype first = ops.indexOf(QStringLiteral("width 1")) + 1;
    QStringList expected;
    for (int a = 0; a <= 10; ++a) {
        const double x = (a / 10.0) * scale + 10;
        expected << line(x, scale * 0.1 + 75, x, 75 - scale * 0.3, RgbBlue);
    }
    for (int j = -1; j <= 3; ++j) {
        const double y = 75 - (j / 10.0) * scale;
        expected << line(10, y, scale + 10, y, RgbBlue);
    }
    QCOMPARE(ops.mid(first, 16), expected);
    // The ends as numbers a reader of the page would measure.
    QCOMPARE(ops[first], line(10, bottom, 10, top, RgbBlue));
    QCOMPARE(ops[first + 10], line(scale + 10, bottom, scale + 10, top, RgbBlue));
    QCOMPARE(ops[first + 11], line(10, bottom, scale + 10, bottom, RgbBlue));
    QCOMPARE(ops[first + 15], line(10, top, scale + 10, top, RgbBlue));
}

void TestPrintSheet::curvesInterleave() {
    ProfileCurves state;
    for (int c = 0; c < CurveCount; ++c) {
        for (int p = 0; p < FilePointsPerCurve; ++p) {
            state.x(c, p) = p / 200.0;
            state.y(c, p) = c == 0 ? 0.1 : -0.1;
        }
    }
    const QStringList ops = printSheet(100, state);
    const qsizetype first = ops.indexOf(QStringLiteral("width 2")) + 1;
    QCOMPARE(ops[first], line(10, 65, 10.5, 65, RgbBlack));
    QCOMPARE(ops[first + 1], line(10, 85, 10.5, 85, RgbBlack));
    QCOMPARE(ops[first + 399], line(109.5, 85, 110, 85, RgbBlack));
}

void TestPrintSheet::curvePointAt180() {
    ProfileCurves state;
    state.x(1, 1) = 0.5;
    state.y(1, 1) = 0.1234;
    const QStringList ops = printSheet(180, state);
    const qsizetype first = ops.indexOf(QStringLiteral("width 2")) + 1;
    QCOMPARE(ops[first + 1], line(10, 75, 100, 52.788, RgbBlack));  // curve 1, point 0 to 1
    QCOMPARE(ops[first + 3], line(100, 52.788, 10, 75, RgbBlack));  // curve 1, point 1 to 2
}

void TestPrintSheet::zeroAndNegativeScale() {
    ProfileCurves state;
    state.x(0, 3) = 0.5;
    state.y(0, 3) = 0.2;
    for (const QString& op : printSheet(0, state).filter(QStringLiteral("line "))) {
        QVERIFY2(op.startsWith(QStringLiteral("line 10 75 10 75 ")), qPrintable(op));
    }
    const QStringList negative = printSheet(-100, state).filter(QStringLiteral("line "));
    QCOMPARE(negative[10], line(-90, 65, -90, 105, RgbBlue));  // mirrored through (10, 75)
    QVERIFY(negative.contains(line(10, 75, -40, 95, RgbBlack)));
}

void TestPrintSheet::unrepresentableSegmentsAreLeftOut() {
    ProfileCurves state;
    state.y(0, 100) = 1e300;  // beyond single precision once scaled
    state.x(1, 0) = std::numeric_limits<double>::infinity();
    const QStringList lines = printSheet(100, state).filter(QStringLiteral("line "));
    QCOMPARE(lines.size(), 16 + 400 - 2 - 1);
    for (const QString& op : lines) {
        QVERIFY2(!op.contains(QStringLiteral("inf")) && !op.contains(QStringLiteral("nan")),
                 qPrintable(op));
    }
    // At an absurd scale the grid cannot be placed; segments between points at 0 still can.
    const QStringList huge = printSheet(1e300, state).filter(QStringLiteral("line "));
    QCOMPARE(huge.filter(QStringLiteral("0000ff")).size(), 0);
    QCOMPARE(huge.size(), 400 - 3);
}

void TestPrintSheet::emptyTextsStillPrint() {
    ProfileCurves state;
    SheetContent sheet{QString(), QString(), {}, {}, 100, state.x, state.y};
    RecordingPrintSurface surface;
    PrintSheet(surface, sheet);
    QCOMPARE(surface.ops.count(QStringLiteral("print : ")), 7);
    QCOMPARE(surface.ops.count(QStringLiteral("print ")), 1 + 7);  // title and captions
    QCOMPARE(surface.ops[2], QStringLiteral("font "));
}

void TestPrintSheet::endReportsItsOutcome() {
    ProfileCurves state;
    SheetContent sheet{QString(), QString(), {}, {}, 100, state.x, state.y};
    RecordingPrintSurface surface;
    surface.endError = QStringLiteral("refused");
    QCOMPARE(PrintSheet(surface, sheet), QStringLiteral("refused"));
}

QTEST_GUILESS_MAIN(TestPrintSheet)
#include "tst_printsheet.moc"
