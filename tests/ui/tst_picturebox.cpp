// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPicture.h"
#include "render/PlotStyle.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QPalette>
#include <QTest>

#include <cmath>
#include <cstdint>

using namespace vandrix;

namespace {

const QRgb Blue = PlotGridColor.rgb() & 0xFFFFFF;
const QRgb Black = PlotCurveColor.rgb() & 0xFFFFFF;
const QRgb White = PlotBackColor.rgb() & 0xFFFFFF;

// Both curves along y = `curveAt` user units at scale 1000, from x = 0 to 1000: off the grid's
// rows, which lie at y = -100, 0, .. 300.
SectionCurves flatCurves(std::int32_t curveAt = 150) {
    SectionCurves curves;
    for (int c = 0; c < CurveCount; ++c) {
        for (int p = 0; p < SectionStations; ++p) {
            curves.setPoint(c, p, {p / 200.0, curveAt / 1000.0});
        }
    }
    return curves;
}

}  // namespace

// The picture area on a screen of twice the pixel density (this program runs at a scale
// factor of 2) and under a dark theme.
class TestPictureBox : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { picture_.reset(); }
    void sameFrameFinerPixels_data();
    void sameFrameFinerPixels();
    void curvesBlackUnderDarkTheme();

private:
    QRgb devicePixel(double x, double y, double dx = 0, double dy = 0) const {
        const QPointF p = picture_->toPixel(x, y) * ratio();
        return picture_->image().pixel(static_cast<int>(std::lround(p.x() + dx)),
                                       static_cast<int>(std::lround(p.y() + dy))) &
               0xFFFFFF;
    }
    double ratio() const { return picture_->image().devicePixelRatio(); }

    std::unique_ptr<PictureBox> picture_;
};

void TestPictureBox::init() {
    picture_ = std::make_unique<PictureBox>();
    testing::setUpAsInTheWindow(*picture_);
}

void TestPictureBox::sameFrameFinerPixels_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("grid, 1 pixel") << 1 << Blue;
    QTest::newRow("curve, 2 pixels") << 2 << Black;
}

void TestPictureBox::sameFrameFinerPixels() {
    QFETCH(int, width);
    QFETCH(QRgb, colour);
    QCOMPARE(picture_->devicePixelRatioF(), 2.0);
    // The frame is the window's, in logical pixels; the image holds twice as many.
    QCOMPARE(picture_->image().size(), QSize(996, 396) * 2);
    QCOMPARE(picture_->toPixel(-50, 400), QPointF(0, 0));
    QCOMPARE(picture_->toPixel(1450, -200), QPointF(996, 396));
    picture_->drawPlot(1000, flatCurves());
    // A line is as wide as at ratio 1 and its ends lie on the nearest device pixel: across the
    // grid's column at x = 500 between two rows, and across the curve between two columns.
    const double dx = colour == Blue ? 1.0 : 0.0;
    const double dy = colour == Blue ? 0.0 : 1.0;
    const double x = colour == Blue ? 500.0 : 850.0;
    const double y = colour == Blue ? 250.0 : 150.0;
    int run = 0;
    for (int step = -4; step <= 4; ++step) {
        run += devicePixel(x, y, step * dx, step * dy) == colour ? 1 : 0;
    }
    QCOMPARE(run, width * 2);
    QCOMPARE(devicePixel(x, y), colour);
}

void TestPictureBox::curvesBlackUnderDarkTheme() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::WindowText, QColor(240, 240, 240));
    picture_->setPalette(dark);
    // Shown before anything is drawn, the inner area is the white ground, not the theme's.
    const QImage shown = picture_->grab().toImage();
    QCOMPARE(shown.pixel(shown.rect().center()) & 0xFFFFFF, White);
    picture_->drawPlot(1000, flatCurves());
    QCOMPARE(devicePixel(350, 150), Black);
    // A second plot replaces the first: its curve black, the old one gone, the ground white.
    picture_->drawPlot(1000, flatCurves(50));
    QCOMPARE(devicePixel(350, 50), Black);
    QCOMPARE(devicePixel(350, 150), White);
    QCOMPARE(devicePixel(350, 250), White);
    QCOMPARE(devicePixel(500, 250), Blue);
}

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", QByteArrayLiteral("2"));
    const QApplication app(argc, argv);
    TestPictureBox test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_picturebox.moc"
