#include "PictureBox.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPen>

#include <array>
#include <cmath>

namespace vandrix {

namespace {

constexpr int BorderWidth = 2;
// Lines are clipped to the image plus this margin before they are rasterised, so that a pen
// wider than one pixel still shows its edge at the border and far-away coordinates cost nothing.
constexpr double ClipMargin = 8.0;

}  // namespace

std::optional<QLineF> ClipLine(const QLineF& line, const QRectF& rect) {
    // Liang-Barsky: the segment is p1 + t (p2 - p1), 0 <= t <= 1.
    const double dx = line.dx();
    const double dy = line.dy();
    const std::array<double, 4> p = {-dx, dx, -dy, dy};
    const std::array<double, 4> q = {line.x1() - rect.left(), rect.right() - line.x1(),
                                     line.y1() - rect.top(), rect.bottom() - line.y1()};
    double t0 = 0.0;
    double t1 = 1.0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return std::nullopt;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return std::nullopt;
        }
    }
    return QLineF(line.x1() + t0 * dx, line.y1() + t0 * dy, line.x1() + t1 * dx,
                  line.y1() + t1 * dy);
}

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(BorderWidth);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor PictureBox::foreColor() const {
    return palette().color(QPalette::WindowText);
}

void PictureBox::setBackColor(const QColor& color) {
    backColor_ = color;
    cls();
}

void PictureBox::cls() {
    image_.fill(backColor_);
    update();
}

QPointF PictureBox::toPixel(double x, double y) const {
    return {(x - scaleLeft_) * image_.width() / scaleWidth_,
            (y - scaleTop_) * image_.height() / scaleHeight_};
}

void PictureBox::line(double x1, double y1, double x2, double y2) {
    drawLine(x1, y1, x2, y2, foreColor());
}

void PictureBox::line(double x1, double y1, double x2, double y2, const QColor& color) {
    drawLine(x1, y1, x2, y2, color);
}

void PictureBox::drawLine(double x1, double y1, double x2, double y2, const QColor& color) {
    if (image_.isNull()) {
        return;
    }
    const QLineF pixels(toPixel(x1, y1), toPixel(x2, y2));
    if (!std::isfinite(pixels.x1()) || !std::isfinite(pixels.y1()) || !std::isfinite(pixels.x2()) ||
        !std::isfinite(pixels.y2())) {
        return;
    }
    const QRectF area =
        QRectF(image_.rect()).adjusted(-ClipMargin, -ClipMargin, ClipMargin, ClipMargin);
    const std::optional<QLineF> visible = ClipLine(pixels, area);
    if (!visible) {
        return;
    }
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, drawWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPoint(static_cast<int>(std::lround(visible->x1())),
                            static_cast<int>(std::lround(visible->y1()))),
                     QPoint(static_cast<int>(std::lround(visible->x2())),
                            static_cast<int>(std::lround(visible->y2()))));
    update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), image_);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QSize size = contentsRect().size();
    if (size == image_.size() || size.isEmpty()) {
        return;
    }
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(backColor_);
    if (!image_.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, image_);
    }
    image_ = std::move(resized);
}

}  // namespace vandrix
