#include "QtPrintSurface.h"

#include <QPrinter>
#include <QPrinterInfo>

#ifdef VANDRIX_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace vandrix {

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
    // Positions are measured from the printable area's corner.
    printer->setFullPage(false);
    return std::unique_ptr<QtPrintSurface>(new QtPrintSurface(std::move(printer)));
}

std::unique_ptr<QtPrintSurface> QtPrintSurface::forPdfFile(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setDocName(QStringLiteral("Vandrix"));
    printer->setFullPage(false);
    return std::unique_ptr<QtPrintSurface>(new QtPrintSurface(std::move(printer)));
}

QtPrintSurface::QtPrintSurface(std::unique_ptr<QPrinter> printer)
    : PagedPrintSurface(*printer), printer_(std::move(printer)) {}

QtPrintSurface::~QtPrintSurface() {
    endPainterIfActive();
}

QString QtPrintSurface::cannotBeginMessage() const {
    return printer_->outputFileName().isEmpty()
               ? QStringLiteral("The printer %1 cannot take a print job.")
                     .arg(printer_->printerName())
               : QStringLiteral("Cannot write file %1.").arg(printer_->outputFileName());
}

QString QtPrintSurface::finish() {
#ifdef VANDRIX_HAVE_CUPS
    // Qt hands the job to CUPS when the painter ends but keeps CUPS's answer to itself. A
    // request that succeeds first leaves CUPS's last status to the job alone.
    const bool toCups = printer_->outputFileName().isEmpty();
    if (toCups) {
        ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/"));
    }
#endif
    QString error = endPainter();
    if (!error.isEmpty()) {
        return error;
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
