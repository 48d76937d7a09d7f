// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/PrintableName.h"
#include "model/PathBytes.h"

#include <QTest>

using namespace vandrix;

// File names as the command shows them on a terminal.
class TestPrintableName : public QObject {
    Q_OBJECT

private slots:
    void printable_data();
    void printable();
};

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
    QTest::newRow("stray CSI byte") << QByteArray(
                                           "\x9b"
                                           "2J")
                                    << QStringLiteral("\\2332J");
    QTest::newRow("pair ending in the stray range")
        << QByteArray("\xf0\x90\x82\x80") << QString::fromUtf8("\xf0\x90\x82\x80");
    QTest::newRow("Japanese kept") << QByteArray("\xe7\xbf\xbc") << QStringLiteral("翼");
}

void TestPrintableName::printable() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QCOMPARE(PrintableName(PathFromBytes(bytes)), shown);
}

QTEST_GUILESS_MAIN(TestPrintableName)
#include "tst_printablename.moc"
