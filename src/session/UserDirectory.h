// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>

class QLocale;

namespace vandrix {

// The language a new user starts with: 2 (Japanese) for a Japanese locale, else 1.
std::int16_t LanguageForLocale(const QLocale& locale);

// Lays out a user's program directory: creates it when missing, copies Language.txt from
// `shareDir` and writes a Set.txt that names the directory and gives `language`. Files already
// there are never replaced.
Status PrepareUserDirectory(const QString& userDir, const QString& shareDir, std::int16_t language);

// Where an installed viewer runs: each user's program directory ($XDG_DATA_HOME/vandrix), laid
// out at the first start. When it cannot be, the run goes on in a temporary directory whose
// settings are not kept, and `messages` says so, to be told once the window is up.
struct UserDirectory {
    QString path;  // empty: where the program was started
    QStringList messages;
    // Stands in for a directory that could not be made; removed at the end of the run.
    std::unique_ptr<QTemporaryDir> standIn;
};

// Settles the program directory of a viewer installed with its shipped files in `shareDir`.
UserDirectory SettleUserDirectory(const QString& shareDir, std::int16_t language);

}  // namespace vandrix
