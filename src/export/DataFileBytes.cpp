#include "DataFileBytes.h"

#include <QFile>

namespace vandrix {

Result<QByteArray> DataFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Result<QByteArray>::failure(file.errorString());
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return Result<QByteArray>::failure(file.errorString());
    }
    return Result<QByteArray>::success(std::move(bytes));
}

}  // namespace vandrix
