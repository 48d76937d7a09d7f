// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PrintableName.h"

#include <QTest>

using namespace vandrix;

// File names as bytes inside QString, and as they are shown on a terminal.
class TestPrintableName : public QObject {
    Q_OBJECT

private slots:
    void bytesRoundTrip_data();
    void bytesRoundTrip();
    void printable_data();
    void printable();
};

void TestPrintableName::bytesRoundTrip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("stray");
    QTest::newRow("ASCII") << QByteArray("wing.dat") << false;
    QTest::newRow("UTF-8 Japanese") << QByteArray("\xe7\xbf\xbc.dat") << false;
    QTest::newRow("UTF-8 outside the BMP") << QByteArray("\xf0\x9f\x98\x80") << false;
    QTest::newRow("Latin-1 byte") << QByteArray("caf\xe9.dat") << true;
    QTest::newRow("lone continuation") << QByteArray("a\x80z") << true;
    QTest::newRow("cut sequence at the end") << QByteArray("a\xe7\xbf") << true;
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << true;
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xb3\xbf") << true;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << true;
    QTest::newRow("0xFF and 0xFE") << QByteArray("\xff\xfe") << true;
}

void TestPrintableName::bytesRoundTrip() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, stray);
    const QString path = PathFromBytes(bytes);
    QCOMPARE(PathBytes(path), bytes);
    QCOMPARE(HoldsStrayBytes(path), stray);
    if (!stray) {
        QCOMPARE(path, QString::fromUtf8(bytes));
    }
}

void TestPrintableName::printable_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << QByteArray("in/wing.dat") << QStringLiteral("in/wing.dat");
    QTest::newRow("colour escape") << QByteArray("x\x1b[31mred") << QStringLiteral("x\\033[31mred");
    QTest::newRow("bell, tab, newline, CR")
        << QByteArray("a\a\t\n\r") << QStringLiteral("a\\a\\t\\n\\r");
    QTest::newRow("backspace, vertical tab, form feed")
        << QByteArray("\b\v\f") << QStringLiteral("\\b\\v\\f");
    QTest::newRow("backslash") << QByteArray("a\\b") << QStringLiteral("a\\\\b");
    QTest::newRow("DEL and 0x01") << QByteArray("\x7f\x01") << QStringLiteral("\\177\\001");
    QTest::newRow("C1 CSI") << QByteArray(
                                   "\xc2\x9b"
                                   "2J")
                            << QStringLiteral("\\302\\2332J");
    QTest::newRow("stray byte") << QByteArray("wing\xff") << QStringLiteral("wing\\377");
    QTest::newRow("Japanese kept") << QByteArray("\xe7\xbf\xbc") << QStringLiteral("翼");
}

void TestPrintableName::printable() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QCOMPARE(PrintableName(PathFromBytes(bytes)), shown);
}

QTEST_GUILESS_MAIN(TestPrintableName)
#include "tst_printablename.moc"
