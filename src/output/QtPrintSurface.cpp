#include "QtPrintSurface.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#ifdef VANDRIX_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace vandrix {

namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr double TwipsPerInch = 1440.0;

QColor toColor(Rgb rgb) {
    return QColor::fromRgb(static_cast<int>((rgb >> 16) & 0xFF),
                           static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF));
}

}  // namespace

std::unique_ptr<QtPrintSurface> QtPrintSurface::forDefaultPrinter(const QString& jobName,
                                                                  QString& error) {
    // QPrinter on its own falls back to any queue, or to a PDF file without a name.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        error = QStringLiteral("No default printer is available.");
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(jobName);
    return std::unique_ptr<QtPrintSurface>(new QtPrintSurface(std::move(printer)));
}

std::unique_ptr<QtPrintSurface> QtPrintSurface::forPdfFile(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setDocName(QStringLiteral("Vandrix"));
    return std::unique_ptr<QtPrintSurface>(new QtPrintSurface(std::move(printer)));
}

QtPrintSurface::QtPrintSurface(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
    printer_->setFullPage(false);
    useSmallestMargins();
    // Until a unit is chosen, positions are in twips.
    devicePerUnit_ = printer_->resolution() / TwipsPerInch;
}

QtPrintSurface::~QtPrintSurface() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

void QtPrintSurface::useSmallestMargins() {
    QPageLayout layout = printer_->pageLayout();
    layout.setMargins(layout.minimumMargins());
    printer_->setPageLayout(layout);
}

void QtPrintSurface::setScaleModeMillimetres() {
    devicePerUnit_ = printer_->resolution() / MillimetresPerInch;
}

void QtPrintSurface::setPaperA4() {
    if (!begun_) {
        printer_->setPageSize(QPageSize(QPageSize::A4));
        useSmallestMargins();
    }
}

void QtPrintSurface::setFontName(const QString& name) {
    font_.setFamily(name);
}

void QtPrintSurface::setFontSize(double points) {
    font_.setPointSizeF(points);
}

void QtPrintSurface::setForeColor(Rgb color) {
    textColor_ = toColor(color);
}

bool QtPrintSurface::begin() {
    if (begun_) {
        return error_.isEmpty();
    }
    begun_ = true;
    if (!painter_.begin(printer_.get())) {
        error_ = printer_->outputFileName().isEmpty()
                     ? QStringLiteral("The printer %1 cannot take a print job.")
                           .arg(printer_->printerName())
                     : QStringLiteral("Cannot write file %1.").arg(printer_->outputFileName());
        return false;
    }
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    return true;
}

QPointF QtPrintSurface::toDevice(double x, double y) const {
    return {x * devicePerUnit_, y * devicePerUnit_};
}

void QtPrintSurface::print(const QString& text) {
    if (!begin()) {
        return;
    }
    // The font's point size is relative to the printer's resolution, so text is drawn in
    // device units; the position names its top-left corner, Qt's its baseline.
    painter_.setFont(font_);
    painter_.setPen(textColor_);
    const QFontMetricsF metrics(font_, printer_.get());
    const QPointF topLeft = toDevice(currentX_, currentY_);
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

void QtPrintSurface::line(float x1, float y1, float x2, float y2, Rgb color) {
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

QString QtPrintSurface::endDoc() {
    if (!begun_) {
        return {};  // nothing was drawn: no page, no job
    }
    if (!error_.isEmpty()) {
        return error_;
    }
#ifdef VANDRIX_HAVE_CUPS
    // Qt hands the job to CUPS when the painter ends but keeps CUPS's answer to itself. A
    // request that succeeds first leaves CUPS's last status to the job alone.
    const bool toCups = printer_->outputFileName().isEmpty();
    if (toCups) {
        ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/"));
    }
#endif
    if (!painter_.end()) {
        return QStringLiteral("The print job could not be finished.");
    }
#ifdef VANDRIX_HAVE_CUPS
    if (toCups && cupsLastError() >= IPP_STATUS_ERROR_BAD_REQUEST) {
        return QStringLiteral("The printer %1 refused the print job: %2")
            .arg(printer_->printerName(), QString::fromUtf8(cupsLastErrorString()));
    }
#endif
    return {};
}

}  // namespace vandrix
