// SPDX-License-Identifier: GPL-3.0-or-later
#include "OverlayView.h"

#include "model/Scales.h"

#include <QEvent>
#include <QPainter>

namespace vandrix {

OverlayView::OverlayView(QWidget* parent) : QWidget(parent), scale_(FirstScreenScale) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    redraw();
}

void OverlayView::setSections(std::vector<OverlaySection> sections, std::int16_t scale) {
    sections_ = std::move(sections);
    scale_ = scale;
    redraw();
}

void OverlayView::paint(QPainter& painter, double ratio) const {
    PaintOverlay(painter, sections_, scale_, ratio, PlotRounding::WholeUnitsAndPixels);
}

void OverlayView::redraw() {
    const QSize size = LayOutOverlay(sections_, scale_).size;
    setFixedSize(size);
    const double ratio = devicePixelRatioF();
    image_ = QImage(size * ratio, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    {
        QPainter painter(&image_);
        paint(painter, ratio);
    }
    update();
}

void OverlayView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void OverlayView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Moving to a screen of another pixel density (Qt 6.4 has no event of its own for it).
    if (event->type() == QEvent::ScreenChangeInternal) {
        redraw();
    }
}

}  // namespace vandrix
