// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBuffer>
#include <QByteArray>

namespace vandrix::testing {

// Runs a reader on bytes as if they were an open file.
template <typename Reader>
auto readFromBytes(const QByteArray& bytes, Reader reader) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return reader(buffer);
}

}  // namespace vandrix::testing
