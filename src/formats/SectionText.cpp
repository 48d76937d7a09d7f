// SPDX-License-Identifier: GPL-3.0-or-later
#include "SectionText.h"

#include "model/Result.h"

#include <QStringDecoder>

namespace vandrix {

namespace {

// The bytes decoded in the codec, or why not (the codec is missing, or they are not in it).
Result<QString> decodeWith(const char* codec, const QByteArray& bytes) {
    QStringDecoder decoder(codec);
    if (!decoder.isValid()) {
        return Result<QString>::failure(QStringLiteral("no codec %1").arg(QLatin1String(codec)));
    }
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return Result<QString>::failure(QStringLiteral("not %1").arg(QLatin1String(codec)));
    }
    return Result<QString>::success(std::move(text));
}

// Shift-JIS needs a two-byte sequence whose lead byte is one of the kana and common kanji rows
// (0x81 to 0x9F); a Windows-1252 name (außen, Météo) has none of them.
bool looksShiftJis(const QByteArray& bytes) {
    int common = 0;
    int rare = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        if (!lead) {
            continue;
        }
        (c <= 0x9F ? common : rare)++;
        ++i;
    }
    return common > 0 && common >= rare;
}

}  // namespace

QString DecodeNameLine(const QByteArray& line) {
    Result<QString> decoded = decodeWith("UTF-8", line);
    if (!decoded && looksShiftJis(line)) {
        decoded = decodeWith("windows-31j", line);
        if (!decoded) {
            decoded = decodeWith("Shift_JIS", line);
        }
    }
    if (!decoded) {
        decoded = decodeWith("windows-1252", line);
    }
    const QString text = decoded ? decoded.value() : QString::fromLatin1(line);
    QString clean;
    for (const QChar c : std::as_const(text)) {
        if (c == u'\t') {
            clean += u' ';
        } else if (c.category() != QChar::Other_Control && c != QChar::ReplacementCharacter) {
            clean += c;
        }
    }
    clean = clean.trimmed();
    if (clean.size() > MaxNameChars) {
        clean.truncate(MaxNameChars);
    }
    return clean;
}

std::optional<QByteArray> RecodedText(const QByteArray& bytes) {
    const bool le = bytes.startsWith("\xFF\xFE");
    if (le || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(le ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                               QStringDecoder::Flag::Stateless);
        QString text = decoder.decode(bytes.mid(2));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        return text.toUtf8();
    }
    if (bytes.contains('\r') && !bytes.contains('\n')) {
        return QByteArray(bytes).replace('\r', '\n');
    }
    return std::nullopt;
}

}  // namespace vandrix
