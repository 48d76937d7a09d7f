// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PathBytes.h"

#include <QTest>

using namespace vandrix;

// File names as bytes inside QString.
class TestPathBytes : public QObject {
    Q_OBJECT

private slots:
    void bytesRoundTrip_data();
    void bytesRoundTrip();
};

void TestPathBytes::bytesRoundTrip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("stray");
    QTest::newRow("ASCII") << QByteArray("wing.dat") << false;
    QTest::newRow("UTF-8 Japanese") << QByteArray("\xe7\xbf\xbc.dat") << false;
    QTest::newRow("UTF-8 outside the BMP") << QByteArray("\xf0\x9f\x98\x80") << false;
    // U+10080: its low surrogate, U+DC80, lies in the range that carries stray bytes.
    QTest::newRow("pair ending in the stray range") << QByteArray("\xf0\x90\x82\x80") << false;
    QTest::newRow("Latin-1 byte") << QByteArray("caf\xe9.dat") << true;
    QTest::newRow("lone continuation") << QByteArray("a\x80z") << true;
    QTest::newRow("cut sequence at the end") << QByteArray("a\xe7\xbf") << true;
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << true;
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xb3\xbf") << true;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << true;
    QTest::newRow("0xFF and 0xFE") << QByteArray("\xff\xfe") << true;
}

void TestPathBytes::bytesRoundTrip() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, stray);
    const QString path = PathFromBytes(bytes);
    QCOMPARE(PathBytes(path), bytes);
    QCOMPARE(HoldsStrayBytes(path), stray);
    if (!stray) {
        QCOMPARE(path, QString::fromUtf8(bytes));
    }
}

QTEST_GUILESS_MAIN(TestPathBytes)
#include "tst_pathbytes.moc"
