// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramDirectory.h"

#include <QDir>

namespace vandrix {

QString ProgramFilePath(const QString& initDir, const QString& fileName) {
    if (initDir.isEmpty()) {
        return fileName;
    }
    const QChar separator = QDir::separator();
    if (initDir.endsWith(separator)) {
        return initDir + fileName;
    }
    return initDir + separator + fileName;
}

}  // namespace vandrix
