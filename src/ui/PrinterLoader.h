#pragma once

#include "render/PrintSurface.h"

#include <QString>

#include <memory>

namespace vandrix {

// The system's default printer, reached through the printing module, which is loaded on the
// first call and stays loaded. Nothing, with the reason in `error`, when there is no default
// printer or the module cannot be loaded.
std::unique_ptr<PrintSurface> OpenDefaultPrinter(const QString& jobName, QString& error);

}  // namespace vandrix
