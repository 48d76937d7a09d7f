// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

class QLocale;

namespace vandrix {

// The language a new user starts with: 2 (Japanese) for a Japanese locale, else 1.
std::int16_t LanguageForLocale(const QLocale& locale);

// Lays out a user's program directory: creates it when missing, copies Language.txt from
// `shareDir` and writes a Set.txt that names the directory and gives `language`. Files already
// there are never replaced. Returns an empty text, or what went wrong.
QString PrepareUserDirectory(const QString& userDir, const QString& shareDir,
                             std::int16_t language);

}  // namespace vandrix
