// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ByteDevice.h"
#include "formats/LanguageFile.h"
#include "formats/SettingsFile.h"

#include <cstdint>

namespace vandrix::testing {

// A language file's bytes parsed for `language` as if read from /p/Language.txt.
inline LanguageRead parseLanguageBytes(const QByteArray& bytes, int language) {
    return readFromBytes(bytes, [&](QIODevice& device) {
        return ParseLanguage(device, static_cast<std::int16_t>(language),
                             QStringLiteral("/p/Language.txt"));
    });
}

// A settings file's bytes parsed as if read from /p/Set.txt.
inline SettingsRead parseSettingsBytes(const QByteArray& bytes) {
    return readFromBytes(bytes, [](QIODevice& device) {
        return ParseSettings(device, QStringLiteral("/p/Set.txt"));
    });
}

}  // namespace vandrix::testing
