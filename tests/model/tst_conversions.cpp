// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Conversions.h"

#include <QTest>

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

using namespace vandrix;

// Number rules shared by the scale boxes, the settings file, the language file and the data
// file. The same program also runs under a comma-decimal locale (see CMakeLists.txt).
class TestConversions : public QObject {
    Q_OBJECT

private slots:
    void commaLocaleIsActiveWhenRequested();
    void numericPrefix_data();
    void numericPrefix();
    void numericPrefixOverflow_data();
    void numericPrefixOverflow();
    void numericPrefixBytesMatchesText();
    void typedNumber_data();
    void typedNumber();
    void roundToInt16_data();
    void roundToInt16();
    void roundToInt32Limits();
    void int16ToText_data();
    void int16ToText();
    void doubleToText_data();
    void doubleToText();
    void roundTripTextReadsBack_data();
    void roundTripTextReadsBack();
};

void TestConversions::commaLocaleIsActiveWhenRequested() {
    if (qEnvironmentVariableIsEmpty("VANDRIX_EXPECT_COMMA_LOCALE")) {
        QSKIP("runs under the comma-decimal locale only");
    }
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%g", 0.5);
    QCOMPARE(QByteArray(buffer.data()), QByteArray("0,5"));
}

void TestConversions::numericPrefix_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << "1400" << 1400.0;
    QTest::newRow("blanks around") << " 1400 " << 1400.0;
    QTest::newRow("blank inside digits") << "1 400" << 1400.0;
    QTest::newRow("tab and line feed skipped") << "\t1\n4 0\t0" << 1400.0;
    QTest::newRow("trailing letters") << "12abc" << 12.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blank then 7") << " 7" << 7.0;
    QTest::newRow("negative fraction") << "-3.5" << -3.5;
    QTest::newRow("plus sign") << "+2" << 2.0;
    QTest::newRow("sign then blank") << "- 5" << -5.0;
    QTest::newRow("exponent") << "1E3" << 1000.0;
    QTest::newRow("lower-case exponent") << "2.5e-2" << 0.025;
    QTest::newRow("exponent with blank") << "1e 3" << 1000.0;
    QTest::newRow("exponent without digits") << "7e" << 7.0;
    QTest::newRow("exponent sign without digits") << "7e+x" << 7.0;
    QTest::newRow("second point ends") << "2.5.1" << 2.5;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("lone sign") << "-" << 0.0;
    QTest::newRow("comma is not a separator") << "0,5" << 0.0;
    QTest::newRow("comma after digits") << "12,5" << 12.0;
    QTest::newRow("full-width digits are text") << QStringLiteral("１２") << 0.0;
    QTest::newRow("carriage return ends") << "1\r2" << 1.0;
    QTest::newRow("many digits") << QString(400, QLatin1Char('9')).prepend(QLatin1String("0."))
                                 << 1.0;
    QTest::newRow("underflow reads as zero") << "1e-400" << 0.0;
    QTest::newRow("denormal") << "4e-320" << 4e-320;
    QTest::newRow("largest double")
        << "1.7976931348623157e308" << std::numeric_limits<double>::max();
    QTest::newRow("zero mantissa huge exponent") << "0e999999" << 0.0;
    QTest::newRow("nan is text") << "nan" << 0.0;
    QTest::newRow("inf is text") << "inf" << 0.0;
    QTest::newRow("hex is not read") << "0x1F" << 0.0;
}

void TestConversions::numericPrefix() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    const Result<double> result = NumericPrefix(QStringView(text));
    QVERIFY2(result.ok(), qPrintable(result.error()));
    QCOMPARE(result.value(), expected);
}

void TestConversions::numericPrefixOverflow_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("1e400") << "1e400";
    QTest::newRow("-1e400") << "-1e400";
    QTest::newRow("1e309") << "1e309";
    QTest::newRow("huge exponent") << "1e99999999999999999999";
    QTest::newRow("many digits times 1e301") << "123456789e301";
    QTest::newRow("small mantissa large exponent") << "0.0001e313";
}

void TestConversions::numericPrefixOverflow() {
    QFETCH(QString, text);
    const Result<double> result = NumericPrefix(QStringView(text));
    QVERIFY(!result.ok());
    QCOMPARE(result.error(), QStringLiteral("Overflow"));
}

void TestConversions::numericPrefixBytesMatchesText() {
    const QList<QByteArray> samples = {"0.999939",
                                       "-0.000013",
                                       " 1 400",
                                       "12abc",
                                       "1e400",
                                       "-1e308",
                                       "4.9406564584124654e-324",
                                       "1e-400",
                                       "nan",
                                       "-inf",
                                       "\x81[1",
                                       "3\343\200\2004"};
    for (const QByteArray& bytes : samples) {
        const Result<double> fromBytes =
            NumericPrefix(std::string_view(bytes.constData(), bytes.size()));
        const Result<double> fromText = NumericPrefix(QStringView(QString::fromLatin1(bytes)));
        QCOMPARE(fromBytes.ok(), fromText.ok());
        if (fromBytes.ok()) {
            QCOMPARE(fromBytes.value(), fromText.value());
        }
    }
}

// A value typed alone: the whole text is the number, read the same under every locale.
void TestConversions::typedNumber_data() {
    QTest::addColumn<bool>("whole");  // TypedWholeNumber, else TypedNumber
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<double>("value");
    QTest::newRow("fraction") << false << "12.5" << true << 12.5;
    QTest::newRow("blanks around a sign") << false << " -3\t" << true << -3.0;
    QTest::newRow("plus and exponent") << false << "+1e3" << true << 1000.0;
    QTest::newRow("leading point") << false << ".5" << true << 0.5;
    QTest::newRow("trailing point") << false << "5." << true << 5.0;
    QTest::newRow("any blanks around") << false << QStringLiteral("\u00a07\u2003") << true << 7.0;
    QTest::newRow("comma") << false << "1,5" << false << 0.0;
    QTest::newRow("trailing letters") << false << "12abc" << false << 0.0;
    QTest::newRow("blank inside") << false << "1 400" << false << 0.0;
    QTest::newRow("exponent without digits") << false << "1e" << false << 0.0;
    QTest::newRow("empty") << false << "" << false << 0.0;
    QTest::newRow("infinity") << false << "inf" << false << 0.0;
    QTest::newRow("NaN") << false << "nan" << false << 0.0;
    QTest::newRow("beyond a double") << false << "1e400" << false << 0.0;
    QTest::newRow("below a double") << false << "1e-400" << false << 0.0;
    QTest::newRow("hex") << false << "0x10" << false << 0.0;
    QTest::newRow("whole") << true << "8" << true << 8.0;
    QTest::newRow("whole with sign and blanks") << true << " +3\t" << true << 3.0;
    QTest::newRow("least int") << true << "-2147483648" << true << -2147483648.0;
    QTest::newRow("beyond int") << true << "2147483648" << false << 0.0;
    QTest::newRow("whole with a point") << true << "3.0" << false << 0.0;
    QTest::newRow("whole with an exponent") << true << "1e1" << false << 0.0;
    QTest::newRow("whole in no-break spaces") << true << QStringLiteral("\u00a03") << false << 0.0;
    QTest::newRow("Arabic-Indic digit") << true << QStringLiteral("\u0663") << false << 0.0;
    QTest::newRow("whole empty") << true << "" << false << 0.0;
}

void TestConversions::typedNumber() {
    QFETCH(bool, whole);
    QFETCH(QString, text);
    QFETCH(bool, taken);
    QFETCH(double, value);
    if (whole) {
        const Result<int> number = TypedWholeNumber(text);
        QCOMPARE(number.error(), taken ? QString() : QStringLiteral("not a whole number"));
        QCOMPARE(taken ? double(number.value()) : 0.0, value);
    } else {
        const Result<double> number = TypedNumber(text);
        QCOMPARE(number.error(), taken ? QString() : QStringLiteral("not a number"));
        QCOMPARE(taken ? number.value() : 0.0, value);
    }
}

void TestConversions::roundToInt16_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("expected");
    QTest::newRow("2.5 to even") << 2.5 << true << 2;
    QTest::newRow("3.5 to even") << 3.5 << true << 4;
    QTest::newRow("-2.5 to even") << -2.5 << true << -2;
    QTest::newRow("-3.5 to even") << -3.5 << true << -4;
    QTest::newRow("1400.5") << 1400.5 << true << 1400;
    QTest::newRow("1401.5") << 1401.5 << true << 1402;
    QTest::newRow("just below half") << 2.4999999 << true << 2;
    QTest::newRow("just above half") << 2.5000001 << true << 3;
    QTest::newRow("32767") << 32767.0 << true << 32767;
    QTest::newRow("32767.4") << 32767.4 << true << 32767;
    QTest::newRow("32767.5 overflows") << 32767.5 << false << 0;
    QTest::newRow("-32768.5 to even") << -32768.5 << true << -32768;
    QTest::newRow("-32769 overflows") << -32769.0 << false << 0;
    QTest::newRow("40000 overflows") << 40000.0 << false << 0;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false << 0;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << 0;
}

void TestConversions::roundToInt16() {
    QFETCH(double, value);
    QFETCH(bool, ok);
    QFETCH(int, expected);
    const Result<std::int16_t> result = RoundToInt16(value);
    QCOMPARE(result.ok(), ok);
    if (ok) {
        QCOMPARE(int(result.value()), expected);
    } else {
        QCOMPARE(result.error(), QStringLiteral("Overflow"));
    }
}

void TestConversions::roundToInt32Limits() {
    QCOMPARE(RoundToInt32(62.5).value(), 62);
    QCOMPARE(RoundToInt32(187.5).value(), 188);
    QCOMPARE(RoundToInt32(2147483647.0).value(), 2147483647);
    QVERIFY(!RoundToInt32(2147483647.5).ok());
    QCOMPARE(RoundToInt32(-2147483648.0).value(), std::numeric_limits<std::int32_t>::min());
    QVERIFY(!RoundToInt32(-2147483649.0).ok());
    QVERIFY(!RoundToInt32(1e300).ok());
}

// Where a hand-made or a locale-following conversion differs; other negatives: tst_settingsfile.
void TestConversions::int16ToText_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0: a digit loop writes nothing") << 0 << "0";
    QTest::newRow("thousands: no separator, no blank") << 1400 << "1400";
    QTest::newRow("lowest: its negation overflows") << -32768 << "-32768";
}

void TestConversions::int16ToText() {
    QFETCH(int, value);
    QFETCH(QString, expected);
    QCOMPARE(Int16ToText(static_cast<std::int16_t>(value)), expected);
}

void TestConversions::doubleToText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 180.0 << "180";
    QTest::newRow("half") << 12.5 << "12.5";
    QTest::newRow("tenth") << 0.1 << "0.1";
    QTest::newRow("third") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("150.50") << 150.5 << "150.5";
    QTest::newRow("negative") << -2.25 << "-2.25";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("1e20") << 1e20 << "1E+20";
    QTest::newRow("100000") << 100000.0 << "100000";
    QTest::newRow("float noise dropped") << 0.1 + 0.2 << "0.3";
    // 15 digits would round up to 1.79769313486232E+308, beyond the range: it could not be read
    // back.
    QTest::newRow("largest double")
        << std::numeric_limits<double>::max() << "1.7976931348623157E+308";
}

void TestConversions::doubleToText() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(DoubleToText(value), expected);
}

void TestConversions::roundTripTextReadsBack_data() {
    QTest::addColumn<double>("value");
    QTest::newRow("150.5") << 150.5;
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2;
    QTest::newRow("third") << 1.0 / 3.0;
    QTest::newRow("pi") << M_PI;
    QTest::newRow("negative tiny") << -1.2345678901234567e-300;
    QTest::newRow("largest") << std::numeric_limits<double>::max();
    QTest::newRow("denormal") << std::numeric_limits<double>::denorm_min();
}

void TestConversions::roundTripTextReadsBack() {
    QFETCH(double, value);
    const QString text = DoubleToRoundTripText(value);
    QVERIFY2(!text.contains(QLatin1Char(',')), qPrintable(text));
    const Result<double> back = NumericPrefix(QStringView(text));
    QVERIFY(back.ok());
    QCOMPARE(back.value(), value);
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
