// SPDX-License-Identifier: GPL-3.0-or-later
#include "ByteDevice.h"
#include "FormatBytes.h"
#include "TestFiles.h"
#include "formats/SettingsFile.h"
#include "model/Scales.h"

#include <QTest>

using namespace vandrix;

namespace {

QByteArray tenLines(const QByteArray& language, const QByteArray& dir, const QByteArray& scale,
                    const QByteArray& printer) {
    return "// Language\r\n" + language + "\r\n// Init DIR\r\n" + dir + "\r\n// Scale\r\n" + scale +
           "\r\n// Printer Scale\r\n" + printer + "\r\n// \r\n\r\n";
}

}  // namespace

// The settings file's format and the program-directory path rule.
class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void formatIsExact();
    void shippedFirstSettingsAreTheWritersOwn();
    void negativeNumbersTakeTheBlank();
    void roundTrip_data();
    void roundTrip();
    void valueLines_data();
    void valueLines();
    void commentLinesAreIgnored();
    void shortFiles_data();
    void shortFiles();
    void overflowKeepsFieldAndReadsOn_data();
    void overflowKeepsFieldAndReadsOn();
};

void TestSettingsFile::formatIsExact() {
    QCOMPARE(FormatSettings(1, QStringLiteral("/opt/vandrix"), 1000, 150),
             QByteArray("// Language\r\n 1 \r\n// Init DIR\r\n/opt/vandrix\r\n// Scale\r\n"
                        " 1000 \r\n// Printer Scale\r\n 150 \r\n// \r\n\r\n"));
}

void TestSettingsFile::shippedFirstSettingsAreTheWritersOwn() {
    // samples/Set.txt, which scripts/run and the benchmarks lay out, is what the settings writer
    // writes for a new user: no directory yet, the first scales.
    QFile shipped(testing::samplePath("Set.txt"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QCOMPARE(shipped.readAll(), FormatSettings(1, QString(), FirstScreenScale, FirstPrinterScale));
}

void TestSettingsFile::negativeNumbersTakeTheBlank() {
    const QList<QByteArray> lines = FormatSettings(-2, QString(), -300, -12.5).split('\n');
    QCOMPARE(lines[1], QByteArray("-2 \r"));
    QCOMPARE(lines[3], QByteArray("\r"));
    QCOMPARE(lines[5], QByteArray("-300 \r"));
    QCOMPARE(lines[7], QByteArray("-12.5 \r"));
}

void TestSettingsFile::roundTrip_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<int>("scale");
    QTest::addColumn<double>("printer");
    QTest::newRow("typical") << 2 << "/home/u/Vandrix" << 1200 << 150.5;
    QTest::newRow("extremes") << -32768 << "/" << 32767 << 1e300;
    QTest::newRow("printer needs 17 digits") << 1 << "/a b/c " << 0 << 0.1 + 0.2;
    QTest::newRow("japanese directory") << 1 << QStringLiteral("/データ/翼型") << 1000 << 180.0;
    QTest::newRow("directory beginning with U+FEFF")
        << 1 << QStringLiteral("\uFEFF\uFEFF420") << 0 << 0.0;
}

void TestSettingsFile::roundTrip() {
    QFETCH(int, language);
    QFETCH(QString, dir);
    QFETCH(int, scale);
    QFETCH(double, printer);
    const SettingsRead read = testing::parseSettingsBytes(FormatSettings(
        static_cast<std::int16_t>(language), dir, static_cast<std::int16_t>(scale), printer));
    QCOMPARE(read.messages, QStringList());
    QCOMPARE(int(*read.language), language);
    QCOMPARE(*read.initDir, dir);
    QCOMPARE(int(*read.screenScale), scale);
    QCOMPARE(*read.printerScale, printer);
}

void TestSettingsFile::valueLines_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<int>("expectedLanguage");
    QTest::addColumn<QByteArray>("scale");
    QTest::addColumn<int>("expectedScale");
    QTest::addColumn<QByteArray>("printer");
    QTest::addColumn<double>("expectedPrinter");
    QTest::newRow("as written") << QByteArray(" 1 ") << 1 << QByteArray(" 1000 ") << 1000
                                << QByteArray(" 150 ") << 150.0;
    QTest::newRow("halves to even")
        << QByteArray("2.5") << 2 << QByteArray("1400.5") << 1400 << QByteArray("150.5") << 150.5;
    QTest::newRow("3.5 gives 4") << QByteArray("3.5") << 4 << QByteArray("1401.5") << 1402
                                 << QByteArray("180.01") << 180.01;
    QTest::newRow("not numbers") << QByteArray("abc") << 0 << QByteArray("") << 0
                                 << QByteArray("x1") << 0.0;
    QTest::newRow("blanks inside")
        << QByteArray(" 1 ") << 1 << QByteArray(" 1 2 0 0 ") << 1200 << QByteArray("\t9 0") << 90.0;
}

void TestSettingsFile::valueLines() {
    QFETCH(QByteArray, language);
    QFETCH(int, expectedLanguage);
    QFETCH(QByteArray, scale);
    QFETCH(int, expectedScale);
    QFETCH(QByteArray, printer);
    QFETCH(double, expectedPrinter);
    const SettingsRead read = testing::parseSettingsBytes(tenLines(language, "/d", scale, printer));
    QCOMPARE(read.messages, QStringList());
    QCOMPARE(int(*read.language), expectedLanguage);
    QCOMPARE(int(*read.screenScale), expectedScale);
    QCOMPARE(*read.printerScale, expectedPrinter);
}

void TestSettingsFile::commentLinesAreIgnored() {
    const QByteArray changed = "1400\r\n 2\r\n\r\n/dir  \r\n// 5\r\n 800 \nanything\r\n 12.5\r\n";
    const SettingsRead read = testing::parseSettingsBytes(changed);
    QCOMPARE(int(*read.language), 2);
    QCOMPARE(*read.initDir, QStringLiteral("/dir  "));  // trailing blanks kept
    QCOMPARE(int(*read.screenScale), 800);
    QCOMPARE(*read.printerScale, 12.5);
}

void TestSettingsFile::shortFiles_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("fields");  // how many of the four values the file reaches
    for (int lines = 0; lines <= 8; ++lines) {
        QTest::addRow("%d lines", lines) << lines << lines / 2;
    }
}

void TestSettingsFile::shortFiles() {
    QFETCH(int, lines);
    QFETCH(int, fields);
    const QList<QByteArray> all = tenLines(" 2 ", "/d", " 900 ", " 90 ").split('\n');
    QByteArray bytes;
    for (int i = 0; i < lines; ++i) {
        bytes += all[i] + '\n';
    }
    const SettingsRead read = testing::parseSettingsBytes(bytes);
    QCOMPARE(read.messages, QStringList());
    QCOMPARE(read.language.has_value(), fields >= 1);
    QCOMPARE(read.initDir.has_value(), fields >= 2);
    QCOMPARE(read.screenScale.has_value(), fields >= 3);
    QCOMPARE(read.printerScale.has_value(), fields >= 4);
}

void TestSettingsFile::overflowKeepsFieldAndReadsOn_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QByteArray>("scale");
    QTest::addColumn<QByteArray>("printer");
    QTest::addColumn<int>("line");
    QTest::newRow("language 40000")
        << QByteArray("40000") << QByteArray("900") << QByteArray("90") << 2;
    QTest::newRow("scale -40000") << QByteArray("1") << QByteArray("-40000") << QByteArray("90")
                                  << 6;
    QTest::newRow("scale 32767.5")
        << QByteArray("1") << QByteArray("32767.5") << QByteArray("90") << 6;
    QTest::newRow("printer 1e400")
        << QByteArray("1") << QByteArray("900") << QByteArray("1e400") << 8;
}

void TestSettingsFile::overflowKeepsFieldAndReadsOn() {
    QFETCH(QByteArray, language);
    QFETCH(QByteArray, scale);
    QFETCH(QByteArray, printer);
    QFETCH(int, line);
    const SettingsRead read = testing::parseSettingsBytes(tenLines(language, "/d", scale, printer));
    QCOMPARE(read.messages.size(), 1);
    QVERIFY(read.messages[0].startsWith(QStringLiteral("Overflow")));
    QVERIFY(read.messages[0].contains(QStringLiteral("line %1 of /p/Set.txt").arg(line)));
    QCOMPARE(read.language.has_value(), line != 2);
    QCOMPARE(read.screenScale.has_value(), line != 6);
    QCOMPARE(read.printerScale.has_value(), line != 8);
    QCOMPARE(*read.initDir, QStringLiteral("/d"));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
