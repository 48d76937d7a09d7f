// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintableName.h"

#include "model/PathBytes.h"

#include <optional>

namespace vandrix {

namespace {

void appendOctal(QString& out, unsigned char byte) {
    out += QLatin1Char('\\');
    out += QLatin1Char(static_cast<char>('0' + (byte >> 6)));
    out += QLatin1Char(static_cast<char>('0' + ((byte >> 3) & 7)));
    out += QLatin1Char(static_cast<char>('0' + (byte & 7)));
}

// The escape of a character `ls -b` shows by letter, or nothing.
QLatin1String letterEscape(char16_t unit) {
    switch (unit) {
        case u'\a':
            return QLatin1String("\\a");
        case u'\b':
            return QLatin1String("\\b");
        case u'\t':
            return QLatin1String("\\t");
        case u'\n':
            return QLatin1String("\\n");
        case u'\v':
            return QLatin1String("\\v");
        case u'\f':
            return QLatin1String("\\f");
        case u'\r':
            return QLatin1String("\\r");
        case u'\\':
            return QLatin1String("\\\\");
        default:
            return {};
    }
}

}  // namespace

QString PrintableName(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (const std::optional<unsigned char> stray = StrayByteAt(text, i)) {
            appendOctal(out, *stray);
        } else if (const QLatin1String letter = letterEscape(unit); !letter.isEmpty()) {
            out += letter;
        } else if (unit < 0x20 || unit == 0x7F) {
            appendOctal(out, static_cast<unsigned char>(unit));
        } else if (unit >= 0x80 && unit <= 0x9F) {
            // C1 controls (CSI among them) act on terminals too: their UTF-8 bytes.
            for (const char byte : QString(QChar(unit)).toUtf8()) {
                appendOctal(out, static_cast<unsigned char>(byte));
            }
        } else {
            out += QChar(unit);
        }
    }
    return out;
}

}  // namespace vandrix
