#include "PagedPrintSurface.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>

namespace vandrix {

namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr double TwipsPerInch = 1440.0;
// The resolution the print button's PDF files have.
constexpr int PdfResolution = 1200;

QColor toColor(Rgb rgb) {
    return QColor::fromRgb(static_cast<int>((rgb >> 16) & 0xFF),
                           static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF));
}

}  // namespace

PagedPrintSurface::PagedPrintSurface(QPagedPaintDevice& device) : device_(device) {
    useSmallestMargins();
    // Until a unit is chosen, positions are in twips.
    devicePerUnit_ = device_.logicalDpiX() / TwipsPerInch;
}

PagedPrintSurface::~PagedPrintSurface() {
    endPainterIfActive();
}

void PagedPrintSurface::endPainterIfActive() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

void PagedPrintSurface::useSmallestMargins() {
    QPageLayout layout = device_.pageLayout();
    layout.setMargins(layout.minimumMargins());
    device_.setPageLayout(layout);
}

void PagedPrintSurface::setScaleModeMillimetres() {
    devicePerUnit_ = device_.logicalDpiX() / MillimetresPerInch;
}

void PagedPrintSurface::setPaperA4() {
    if (!begun_) {
        device_.setPageSize(QPageSize(QPageSize::A4));
        useSmallestMargins();
    }
}

void PagedPrintSurface::setFontName(const QString& name) {
    font_.setFamily(name);
}

void PagedPrintSurface::setFontSize(double points) {
    font_.setPointSizeF(points);
}

void PagedPrintSurface::setForeColor(Rgb color) {
    textColor_ = toColor(color);
}

bool PagedPrintSurface::begin() {
    if (begun_) {
        return error_.isEmpty();
    }
    begun_ = true;
    if (!painter_.begin(&device_)) {
        error_ = cannotBeginMessage();
        return false;
    }
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    return true;
}

QPointF PagedPrintSurface::toDevice(double x, double y) const {
    return {x * devicePerUnit_, y * devicePerUnit_};
}

void PagedPrintSurface::print(const QString& text) {
    if (!begin()) {
        return;
    }
    // The font's point size is relative to the device's resolution, so text is drawn in
    // device units; the position names its top-left corner, Qt's its baseline.
    painter_.setFont(font_);
    painter_.setPen(textColor_);
    const QFontMetricsF metrics(font_, &device_);
    const QPointF topLeft = toDevice(currentX_, currentY_);
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

void PagedPrintSurface::line(float x1, float y1, float x2, float y2, Rgb color) {
    if (!begin()) {
        return;
    }
    QPen pen(toColor(color));
    pen.setWidth(drawWidth_);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::RoundCap);
    painter_.setPen(pen);
    painter_.drawLine(QLineF(toDevice(x1, y1), toDevice(x2, y2)));
}

QString PagedPrintSurface::endDoc() {
    if (!begun_) {
        return {};  // nothing was drawn: no page, no document
    }
    if (!error_.isEmpty()) {
        return error_;
    }
    return finish();
}

QString PagedPrintSurface::finish() {
    return endPainter();
}

QString PagedPrintSurface::endPainter() {
    if (!painter_.end()) {
        return QStringLiteral("The print job could not be finished.");
    }
    return {};
}

PdfPrintSurface::PdfPrintSurface(QIODevice& output, QString name)
    : PdfPrintSurface(std::make_unique<QPdfWriter>(&output), std::move(name)) {}

PdfPrintSurface::PdfPrintSurface(std::unique_ptr<QPdfWriter> writer, QString name)
    : PagedPrintSurface(*writer), writer_(std::move(writer)), name_(std::move(name)) {
    writer_->setResolution(PdfResolution);
    writer_->setTitle(QStringLiteral("Vandrix"));
    writer_->setCreator(QStringLiteral("Vandrix"));
}

PdfPrintSurface::~PdfPrintSurface() {
    endPainterIfActive();
}

QString PdfPrintSurface::cannotBeginMessage() const {
    return QStringLiteral("Cannot write file %1.").arg(name_);
}

}  // namespace vandrix
