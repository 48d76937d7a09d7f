// SPDX-License-Identifier: GPL-3.0-or-later
#include "DefaultPrinter.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#ifdef VANDRIX_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace vandrix {

Result<PrinterJob*> DefaultPrinterJob::open(const QString& jobName) {
    // QPrinter on its own falls back to any queue, or to a PDF file without a name.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return Result<PrinterJob*>::failure(QStringLiteral("No default printer is available."));
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(jobName);
    // Positions are measured from the printable area's corner.
    printer->setFullPage(false);
    return Result<PrinterJob*>::success(new DefaultPrinterJob(std::move(printer)));
}

DefaultPrinterJob::DefaultPrinterJob(std::unique_ptr<QPrinter> printer)
    : printer_(std::move(printer)) {}

DefaultPrinterJob::~DefaultPrinterJob() = default;

QPagedPaintDevice& DefaultPrinterJob::device() {
    return *printer_;
}

Status DefaultPrinterJob::begin(QPainter& painter) {
    if (!painter.begin(printer_.get())) {
        return Status::failure(
            QStringLiteral("The printer %1 cannot take a print job.").arg(printer_->printerName()));
    }
    return Status::success();
}

Status DefaultPrinterJob::finish(QPainter& painter) {
#ifdef VANDRIX_HAVE_CUPS
    // Qt hands the job to CUPS when the painter ends but keeps CUPS's answer to itself. A
    // request that succeeds first leaves CUPS's last status to the job alone.
    ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/"));
#endif
    if (!painter.end()) {
        return Status::failure(QStringLiteral("The print job could not be finished."));
    }
#ifdef VANDRIX_HAVE_CUPS
    if (cupsLastError() >= IPP_STATUS_ERROR_BAD_REQUEST) {
        return Status::failure(
            QStringLiteral("The printer %1 refused the print job: %2")
                .arg(printer_->printerName(), QString::fromUtf8(cupsLastErrorString())));
    }
#endif
    return Status::success();
}

}  // namespace vandrix
