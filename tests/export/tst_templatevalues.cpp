// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TemplateValues.h"

#include <QTest>

using namespace vandrix;

// A reader of a template number as typed.
using Reader = Result<double> (*)(const QString&);
Q_DECLARE_METATYPE(Reader)
Q_DECLARE_METATYPE(SparNotch::Side)

// The template values as typed in the window's dialog and on the command line.
class TestTemplateValues : public QObject {
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void sparNotch_data();
    void sparNotch();
};

void TestTemplateValues::numbers_data() {
    QTest::addColumn<Reader>("read");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("reason");  // empty when taken
    const Reader chord = &TemplateChordValue;
    const Reader length = &TemplateLengthValue;
    const QString range = QStringLiteral("a chord is 1 to 5,000 mm");
    const QString nan = QStringLiteral("not a number");
    QTest::newRow("chord") << chord << "600" << 600.0 << "";
    QTest::newRow("chord at the least") << chord << "1" << 1.0 << "";
    QTest::newRow("chord at the most") << chord << "5000" << 5000.0 << "";
    QTest::newRow("chord with blanks and exponent") << chord << " 2.5e2 " << 250.0 << "";
    QTest::newRow("chord below 1") << chord << "0.999" << 0.0 << range;
    QTest::newRow("chord above 5,000") << chord << "5000.5" << 0.0 << range;
    QTest::newRow("chord negative") << chord << "-200" << 0.0 << range;
    QTest::newRow("chord with a comma") << chord << "1,5" << 0.0 << nan;
    QTest::newRow("length 0 leaves the feature out") << length << "0" << 0.0 << "";
    QTest::newRow("length") << length << "1.5" << 1.5 << "";
    QTest::newRow("length beyond any chord") << length << "1e4" << 1e4 << "";
    QTest::newRow("length negative")
        << length << "-0.1" << 0.0 << QStringLiteral("not a length of 0 mm or more");
    QTest::newRow("length not a number") << length << "nan" << 0.0 << nan;
}

void TestTemplateValues::numbers() {
    QFETCH(Reader, read);
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(QString, reason);
    const Result<double> taken = read(text);
    QCOMPARE(taken.error(), reason);
    if (reason.isEmpty()) {
        QCOMPARE(taken.value(), value);
    }
}

void TestTemplateValues::sparNotch_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("position");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("depth");
    QTest::addColumn<SparNotch::Side>("side");
    QTest::addColumn<QString>("reason");  // empty when taken
    const auto upper = SparNotch::Side::Upper;
    const QString form = QStringLiteral("not POS:WIDTH:DEPTH[:upper|lower|both]");
    const QString position =
        QStringLiteral("the position is not a percentage of the chord above 0 and below 100");
    const QString size = QStringLiteral("the width and depth must be millimetres above 0");
    QTest::newRow("upper by default") << "25:6:5" << 25.0 << 6.0 << 5.0 << upper << "";
    QTest::newRow("lower, blanks around parts")
        << " 60 : 4 : 3 : Lower " << 60.0 << 4.0 << 3.0 << SparNotch::Side::Lower << "";
    QTest::newRow("both") << "30:6:5:both" << 30.0 << 6.0 << 5.0 << SparNotch::Side::Both << "";
    QTest::newRow("fractions") << "0.5:0.8:1e-1" << 0.5 << 0.8 << 0.1 << upper << "";
    QTest::newRow("two parts") << "30:6" << 0.0 << 0.0 << 0.0 << upper << form;
    QTest::newRow("five parts") << "30:6:5:upper:x" << 0.0 << 0.0 << 0.0 << upper << form;
    QTest::newRow("position 0") << "0:6:5" << 0.0 << 0.0 << 0.0 << upper << position;
    QTest::newRow("position 100") << "100:6:5" << 0.0 << 0.0 << 0.0 << upper << position;
    QTest::newRow("position not a number") << "x:6:5" << 0.0 << 0.0 << 0.0 << upper << position;
    QTest::newRow("width 0") << "30:0:5" << 0.0 << 0.0 << 0.0 << upper << size;
    QTest::newRow("depth negative") << "30:6:-5" << 0.0 << 0.0 << 0.0 << upper << size;
    QTest::newRow("depth empty") << "30:6:" << 0.0 << 0.0 << 0.0 << upper << size;
    QTest::newRow("side unknown") << "30:6:5:top" << 0.0 << 0.0 << 0.0 << upper
                                  << QStringLiteral("the side is not upper, lower or both");
}

void TestTemplateValues::sparNotch() {
    QFETCH(QString, text);
    QFETCH(double, position);
    QFETCH(double, width);
    QFETCH(double, depth);
    QFETCH(SparNotch::Side, side);
    QFETCH(QString, reason);
    const Result<SparNotch> notch = SparNotchValue(text);
    QCOMPARE(notch.error(), reason);
    if (reason.isEmpty()) {
        QCOMPARE(notch.value().position, position);
        QCOMPARE(notch.value().width, width);
        QCOMPARE(notch.value().depth, depth);
        QCOMPARE(notch.value().side, side);
    }
}

QTEST_GUILESS_MAIN(TestTemplateValues)
#include "tst_templatevalues.moc"
