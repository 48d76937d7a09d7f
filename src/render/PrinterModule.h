// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"

#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace vandrix {

// A job on the system's default printer, as the printing module hands it over: a page to paint
// on, and the end of the job.
class PrinterJob {
public:
    PrinterJob() = default;
    Q_DISABLE_COPY_MOVE(PrinterJob)
    virtual ~PrinterJob() = default;

    // The printer's page, to set up before the painter begins on it.
    virtual QPagedPaintDevice& device() = 0;
    // Begins the painter on the page as it is set up, or says why the printer takes no job.
    virtual Status begin(QPainter& painter) = 0;
    // Ends the painter, which hands the job to the printer, and says whether it was taken.
    virtual Status finish(QPainter& painter) = 0;
};

// The printing module's entry point: a job on the default printer that the caller owns, or why
// there is none.
using OpenDefaultPrinterFunction = Result<PrinterJob*> (*)(const QString& jobName);
inline constexpr const char* OpenDefaultPrinterSymbol = "vandrix_open_default_printer";

}  // namespace vandrix
