// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileMessages.h"

namespace vandrix {

QString CannotOpenDescription(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot open file %1: %2").arg(path, reason);
}

QString CannotReadDescription(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot read file %1: %2").arg(path, reason);
}

QString CannotWriteDescription(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot write file %1: %2").arg(path, reason);
}

QString SectionFileDescription(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot read section file %1: %2").arg(path, reason);
}

}  // namespace vandrix
