#include "DataFileBytes.h"

#include "model/FileMessages.h"
#include "SectionImport.h"

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
