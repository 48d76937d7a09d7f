// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vandrix {

// The one wording of each failure to open, read or write a file: "Cannot open file PATH: REASON",
// "Cannot read file PATH: REASON", "Cannot write file PATH: REASON".
QString CannotOpenDescription(const QString& path, const QString& reason);
QString CannotReadDescription(const QString& path, const QString& reason);
QString CannotWriteDescription(const QString& path, const QString& reason);

// "Cannot read section file PATH: REASON", for a section file that makes no section.
QString SectionFileDescription(const QString& path, const QString& reason);

}  // namespace vandrix
