// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/PrinterModule.h"

#include <memory>

class QPrinter;

namespace vandrix {

// A job on the system's default printer through QPrinter, at the printer's own resolution,
// positions measured from the printable area's corner. With libcups it also tells when CUPS
// refuses the job, which Qt keeps to itself.
class DefaultPrinterJob : public PrinterJob {
public:
    static Result<PrinterJob*> open(const QString& jobName);

    Q_DISABLE_COPY_MOVE(DefaultPrinterJob)
    ~DefaultPrinterJob() override;

    QPagedPaintDevice& device() override;
    Status begin(QPainter& painter) override;
    Status finish(QPainter& painter) override;

private:
    explicit DefaultPrinterJob(std::unique_ptr<QPrinter> printer);

    std::unique_ptr<QPrinter> printer_;
};

}  // namespace vandrix
