// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataFileBytes.h"

#include "SectionImport.h"
#include "model/FileMessages.h"

#include <QFile>

namespace vandrix {

Result<QByteArray> DataFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Result<QByteArray>::failure(file.errorString());
    }
    SectionImport section = ImportSectionFile(file, path);
    if (section.kind == SectionImport::Kind::Converted) {
        return Result<QByteArray>::success(std::move(section.bytes));
    }
    if (section.kind == SectionImport::Kind::Failed) {
        return Result<QByteArray>::failure(SectionFileDescription(path, section.error));
    }
    if (section.kind == SectionImport::Kind::Neither) {
        return Result<QByteArray>::failure(path + QStringLiteral(": ") + section.error);
    }
    if (!section.bytes.isEmpty()) {  // a data file in UTF-16 or with CR-only line ends, recoded
        return Result<QByteArray>::success(std::move(section.bytes));
    }
    if (section.consumed && !file.seek(0)) {
        return Result<QByteArray>::failure(file.errorString());
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return Result<QByteArray>::failure(file.errorString());
    }
    return Result<QByteArray>::success(std::move(bytes));
}

}  // namespace vandrix
