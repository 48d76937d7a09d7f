// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

class QIODevice;

namespace vandrix {

inline constexpr auto SettingsFileName = "Set.txt";

// What a read of the settings file found. Values come by position (lines 2, 4, 6 and 8) and a
// field is present only when the file reached its line and its value fitted; `messages` holds
// what the user must be told, in order.
struct SettingsRead {
    std::optional<std::int16_t> language;
    std::optional<QString> initDir;
    std::optional<std::int16_t> screenScale;
    std::optional<double> printerScale;
    QStringList messages;
};

// Reads the settings from an open device; `path` names the file in messages.
SettingsRead ParseSettings(QIODevice& device, const QString& path);

// Opens and reads the settings file at `path`; fails with the one message for a file that
// cannot be opened.
Result<SettingsRead> ReadSettingsFile(const QString& path);

// The ten lines of the settings file, CRLF-ended, numbers with a blank on each side.
QByteArray FormatSettings(std::int16_t language, const QString& initDir, std::int16_t screenScale,
                          double printerScale);

// Puts `bytes` in the settings file at `path` wherever the directory or the file allows (see
// SaveFileWherePossible): also as a user who may rewrite a shared program directory's Set.txt
// but not add a file beside it. When no way works, the old file is left whole.
Status SaveSettingsFile(const QString& path, const QByteArray& bytes);

}  // namespace vandrix
