// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vandrix {

// The text of section files as they are found: in UTF-16 or with CR-only line ends, their name
// line in whatever code page its author used.

// The bytes as UTF-8 text with LF or CRLF line ends, when they are not already: UTF-16 with a
// byte-order mark is decoded, CR-only line ends become LF. nullopt when the bytes serve as they
// are.
std::optional<QByteArray> RecodedText(const QByteArray& bytes);

// A name line in UTF-8, Shift-JIS (CP932) or Windows-1252, whichever its bytes show; trimmed,
// control characters dropped, at most MaxNameChars characters.
inline constexpr qsizetype MaxNameChars = 200;
QString DecodeNameLine(const QByteArray& line);

}  // namespace vandrix
