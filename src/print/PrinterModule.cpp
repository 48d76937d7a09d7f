// SPDX-License-Identifier: GPL-3.0-or-later
#include "DefaultPrinter.h"

// The entry point of the printing module, which the window loads on its first print so that
// start-up never loads Qt's print support and the printing system's libraries.
extern "C" Q_DECL_EXPORT vandrix::Result<vandrix::PrinterJob*> vandrix_open_default_printer(
    const QString& jobName) {
    return vandrix::DefaultPrinterJob::open(jobName);
}
