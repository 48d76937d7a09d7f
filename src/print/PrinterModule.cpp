#include "render/PrinterModule.h"
#include "QtPrintSurface.h"

// The entry point of the printing module, which the window loads on its first print so that
// start-up never loads Qt's print support and the printing system's libraries.
extern "C" Q_DECL_EXPORT vandrix::PrintSurface* vandrix_open_default_printer(const QString& jobName,
                                                                             QString& error) {
    return vandrix::QtPrintSurface::forDefaultPrinter(jobName, error).release();
}
