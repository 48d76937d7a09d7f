// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PathBytes.h"

namespace vandrix {

namespace {

constexpr char16_t StrayBase = 0xDC00;

// The length of the valid UTF-8 sequence at `i`, or 0.
qsizetype sequenceLength(const QByteArray& bytes, qsizetype i) {
    const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        return 1;
    }
    qsizetype length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (i + length > bytes.size() || byte(i + 1) < low || byte(i + 1) > high) {
        return 0;
    }
    for (qsizetype k = 2; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

}  // namespace

QString PathFromBytes(const QByteArray& bytes) {
    QString path;
    path.reserve(bytes.size());
    qsizetype run = 0;  // start of the valid run not yet appended
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype length = sequenceLength(bytes, i);
        if (length > 0) {
            i += length;
            continue;
        }
        path += QString::fromUtf8(bytes.constData() + run, i - run);
        path += QChar(static_cast<char16_t>(StrayBase + static_cast<unsigned char>(bytes[i])));
        run = ++i;
    }
    path += QString::fromUtf8(bytes.constData() + run, bytes.size() - run);
    return path;
}

QByteArray PathBytes(const QString& path) {
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype run = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (const std::optional<unsigned char> stray = StrayByteAt(path, i)) {
            bytes += QStringView(path).sliced(run, i - run).toUtf8();
            bytes += static_cast<char>(*stray);
            run = i + 1;
        }
    }
    bytes += QStringView(path).sliced(run).toUtf8();
    return bytes;
}

// A stray byte is a lone low surrogate in the stray range; one after a high surrogate is half of
// a pair.
std::optional<unsigned char> StrayByteAt(const QString& path, qsizetype index) {
    const char16_t unit = path[index].unicode();
    if (unit < StrayBase + 0x80 || unit > StrayBase + 0xFF ||
        (index > 0 && path[index - 1].isHighSurrogate())) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(unit - StrayBase);
}

bool HoldsStrayBytes(const QString& path) {
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (StrayByteAt(path, i)) {
            return true;
        }
    }
    return false;
}

}  // namespace vandrix
