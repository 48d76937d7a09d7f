// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/PlotPainter.h"

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QPoint>

#include <cstdint>

namespace vandrix {

// A picture area with a sunken border that keeps the plot drawn on it in its own image, and a
// user coordinate frame: the inner area's left and top edges are at (scaleLeft, scaleTop), and
// it is scaleWidth units wide and scaleHeight units high (a negative height makes y grow
// upwards). On a high-density screen the image holds device pixels, so the same frame is drawn
// with sharper lines. The plot's colours are its own, whatever the theme. The image is made
// when it is first drawn on or asked for, so a window that shows an empty picture area holds
// no image.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Also clears the image to the new colour.
    void setBackColor(const QColor& color);

    void setScaleLeft(double left) { scaleLeft_ = left; }
    void setScaleTop(double top) { scaleTop_ = top; }
    void setScaleWidth(double width) { scaleWidth_ = width; }
    void setScaleHeight(double height) { scaleHeight_ = height; }

    // A white ground under the screen plot's frame, as the window sets its picture area up.
    void setUpForScreenPlot();

    // Clears the image and draws the screen plot of the curves at `scale` user units per data
    // unit in the current frame.
    void drawPlot(std::int16_t scale, const SectionCurves& curves);

    // The logical pixel of the image that holds a point in user units (may lie outside the image).
    QPointF toPixel(double x, double y) const;
    const QImage& image() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    ScreenView view(double ratio) const;
    QSize logicalSize() const;
    void fitImage();
    // Makes the image at the inner area's size, filled with the background. False when the area
    // has no size yet.
    bool ensureImage() const;

    mutable QImage image_;
    QColor backColor_ = Qt::white;
    double scaleLeft_ = 0.0;
    double scaleTop_ = 0.0;
    double scaleWidth_ = 1.0;
    double scaleHeight_ = 1.0;
};

}  // namespace vandrix
