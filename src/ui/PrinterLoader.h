// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"

#include <QString>

namespace vandrix {

struct SheetContent;

// Prints the sheet on the system's default printer as a job of the given name. The printer is
// reached through the printing module, which is loaded on the first call and stays loaded.
Status PrintOnDefaultPrinter(const SheetContent& sheet, const QString& jobName);

}  // namespace vandrix
