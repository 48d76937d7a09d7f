#pragma once

#include "app/Result.h"

#include <QByteArray>
#include <QString>

namespace vandrix {

// The bytes of the data file an input stands for, in the viewer's own format (a native
// data file's own bytes).
Result<QByteArray> DataFileBytes(const QString& path);

}  // namespace vandrix
