// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ToolRun.h"

#include <QImage>
#include <QString>

namespace vandrix::testing {

// A printed page rendered by poppler's pdftoppm, measured in millimetres from its top-left.
class PageImage {
public:
    static constexpr int Dpi = 100;
    static constexpr double PixelsPerMm = Dpi / 25.4;

    PageImage(const QString& pdf, const QString& pngPrefix) {
        runTool(QStringLiteral("pdftoppm"),
                {QStringLiteral("-q"), QStringLiteral("-r"), QString::number(Dpi),
                 QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, pngPrefix});
        image_ = QImage(pngPrefix + QStringLiteral(".png"));
    }

    bool isA4() const {
        return !image_.isNull() && qAbs(image_.width() - 210 * PixelsPerMm) < 1.0 &&
               qAbs(image_.height() - 297 * PixelsPerMm) < 1.0;
    }

    // A pixel of the colour within one pixel of the point.
    bool blueNear(double xMm, double yMm) const {
        return near(xMm, yMm,
                    [](QRgb p) { return qBlue(p) > 180 && qRed(p) < 120 && qGreen(p) < 120; });
    }
    // Whether anything but white lies in the rectangle.
    bool inkIn(double leftMm, double topMm, double rightMm, double bottomMm) const {
        for (int y = qRound(topMm * PixelsPerMm); y <= qRound(bottomMm * PixelsPerMm); ++y) {
            for (int x = qRound(leftMm * PixelsPerMm); x <= qRound(rightMm * PixelsPerMm); ++x) {
                if (image_.valid(x, y) && qGray(image_.pixel(x, y)) < 200) {
                    return true;
                }
            }
        }
        return false;
    }

private:
    template <typename Test>
    bool near(double xMm, double yMm, Test test, int radius = 1) const {
        const int cx = qRound(xMm * PixelsPerMm);
        const int cy = qRound(yMm * PixelsPerMm);
        for (int dy = -radius; dy <= radius; ++dy) {
            for (int dx = -radius; dx <= radius; ++dx) {
                if (image_.valid(cx + dx, cy + dy) && test(image_.pixel(cx + dx, cy + dy))) {
                    return true;
                }
            }
        }
        return false;
    }

    QImage image_;
};

// Checks the grid of a sheet printed at `scale` mm per data unit; empty when it is all there,
// else what is missing.
inline QString missingGrid(const PageImage& page, double scale) {
    const double top = 75 - 0.3 * scale;
    const double bottom = 75 + 0.1 * scale;
    for (int a = 0; a <= 10; ++a) {
        const double x = 10 + a / 10.0 * scale;
        if (!page.blueNear(x, top + 2) || !page.blueNear(x, bottom - 2)) {
            return QStringLiteral("vertical line %1").arg(a);
        }
    }
    for (int j = -1; j <= 3; ++j) {
        const double y = 75 - j / 10.0 * scale;
        if (!page.blueNear(15, y) || !page.blueNear(5 + scale, y)) {
            return QStringLiteral("horizontal line %1").arg(j);
        }
    }
    if (page.blueNear(10 + scale + 3, top + 2) || page.blueNear(12, top - 3)) {
        return QStringLiteral("blue outside the grid");
    }
    return {};
}

}  // namespace vandrix::testing
