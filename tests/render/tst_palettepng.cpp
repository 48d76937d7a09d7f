// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PalettePng.h"

#include <QBuffer>
#include <QImage>
#include <QTest>

using namespace vandrix;

// The PNG writer of the screen plot: up to four colours, two bits a pixel.
class TestPalettePng : public QObject {
    Q_OBJECT

private slots:
    void keepsPixels_data();
    void keepsPixels();
};

void TestPalettePng::keepsPixels_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("colours");
    QTest::addColumn<bool>("written");
    // Widths that do and do not end on a whole byte of four 2-bit pixels.
    QTest::newRow("one colour") << 8 << 1 << true;
    QTest::newRow("four colours, width 7") << 7 << 4 << true;
    QTest::newRow("three colours, width 5") << 5 << 3 << true;
    QTest::newRow("five colours") << 9 << 5 << false;
}

void TestPalettePng::keepsPixels() {
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

QTEST_GUILESS_MAIN(TestPalettePng)
#include "tst_palettepng.moc"
