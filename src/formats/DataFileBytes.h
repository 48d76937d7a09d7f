// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"

#include <QByteArray>
#include <QString>

namespace vandrix {

// The bytes of the data file an input stands for, in the viewer's own format: a data file's
// own bytes, or the data file a Selig or Lednicer section file converts to.
Result<QByteArray> DataFileBytes(const QString& path);

}  // namespace vandrix
