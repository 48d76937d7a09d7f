// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>

namespace vandrix::testing {

inline QString samplePath(const char* name) {
    return QStringLiteral(VANDRIX_SAMPLES_DIR "/") + QLatin1String(name);
}

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Writes `size` bytes of `fill` between `prefix` and `suffix` without holding them in memory.
inline bool writeLargeFile(const QString& path, const QByteArray& prefix, qint64 size, char fill,
                           const QByteArray& suffix) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(prefix) != prefix.size()) {
        return false;
    }
    const QByteArray chunk(1 << 20, fill);
    for (qint64 written = 0; written < size; written += chunk.size()) {
        const qint64 part = std::min<qint64>(chunk.size(), size - written);
        if (file.write(chunk.constData(), part) != part) {
            return false;
        }
    }
    return file.write(suffix) == suffix.size() && file.flush();
}

}  // namespace vandrix::testing
