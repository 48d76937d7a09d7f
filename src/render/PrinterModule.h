#pragma once

#include "render/PrintSurface.h"

#include <QString>

namespace vandrix {

// The printing module's entry point: the default printer as a surface the caller owns, or
// nothing with the reason in `error`.
using OpenDefaultPrinterFunction = PrintSurface* (*)(const QString& jobName, QString& error);
inline constexpr const char* OpenDefaultPrinterSymbol = "vandrix_open_default_printer";

}  // namespace vandrix
