#pragma once

#include "app/Result.h"

#include <QByteArray>
#include <QString>

namespace vandrix {

// The bytes of the data file an input stands for, as the viewer's own format.
Result<QByteArray> DataFileBytes(const QString& path);

}  // namespace vandrix
