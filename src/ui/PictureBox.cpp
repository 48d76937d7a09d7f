// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureBox.h"

#include "render/PlotStyle.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace vandrix {

namespace {

constexpr int BorderWidth = 2;

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(BorderWidth);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setBackColor(const QColor& color) {
    backColor_ = color;
    if (!image_.isNull()) {
        image_.fill(backColor_);
    }
    update();
}

const QImage& PictureBox::image() const {
    ensureImage();
    return image_;
}

bool PictureBox::ensureImage() const {
    if (image_.isNull()) {
        const QSize size = contentsRect().size();
        if (size.isEmpty()) {
            return false;
        }
        const double ratio = devicePixelRatioF();
        image_ = QImage(size * ratio, QImage::Format_RGB32);
        image_.setDevicePixelRatio(ratio);
        image_.fill(backColor_);
    }
    return true;
}

ScreenView PictureBox::view(double ratio) const {
    return {{scaleLeft_, scaleTop_, scaleWidth_, scaleHeight_}, logicalSize(), ratio};
}

QSize PictureBox::logicalSize() const {
    return image_.isNull() ? contentsRect().size() : image_.deviceIndependentSize().toSize();
}

QPointF PictureBox::toPixel(double x, double y) const {
    return FrameToDevice(view(1.0)).map(QPointF(x, y));
}

void PictureBox::setUpForScreenPlot() {
    setBackColor(PlotBackColor);
    setScaleHeight(ScreenPlotFrame.height);
    setScaleLeft(ScreenPlotFrame.left);
    setScaleTop(ScreenPlotFrame.top);
    setScaleWidth(ScreenPlotFrame.width);
}

void PictureBox::drawPlot(std::int16_t scale, const SectionCurves& curves) {
    if (!ensureImage()) {
        return;
    }
    {
        QPainter painter(&image_);
        PaintScreenPlot(painter, view(image_.devicePixelRatio()), scale, curves,
                        PlotRounding::WholeUnitsAndPixels);
    }
    update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    if (image_.isNull()) {
        painter.fillRect(contentsRect(), backColor_);
    } else {
        painter.drawImage(contentsRect().topLeft(), image_);
    }
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    fitImage();
}

void PictureBox::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    // Moving to a screen of another pixel density (Qt 6.4 has no event of its own for it).
    if (event->type() == QEvent::ScreenChangeInternal) {
        fitImage();
    }
}

// The image follows the inner area's size and the screen's pixel ratio, keeping what it holds.
void PictureBox::fitImage() {
    const QSize size = contentsRect().size();
    const double ratio = devicePixelRatioF();
    if (image_.isNull() || size.isEmpty() ||
        (size == logicalSize() && ratio == image_.devicePixelRatio())) {
        return;
    }
    QImage resized(size * ratio, QImage::Format_RGB32);
    resized.setDevicePixelRatio(ratio);
    resized.fill(backColor_);
    {
        QPainter painter(&resized);
        painter.drawImage(0, 0, image_);
    }
    image_ = std::move(resized);
}

}  // namespace vandrix
