// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsFile.h"

#include "AtomicWrite.h"
#include "InputFile.h"
#include "TextInput.h"
#include "model/Conversions.h"
#include "model/FileMessages.h"

#include <QFile>
#include <QFileInfo>

namespace vandrix {

namespace {

// A number between blanks; a negative one has its minus sign where the leading blank would be.
QString numberField(const QString& text) {
    if (text.startsWith(QLatin1Char('-'))) {
        return text + QLatin1Char(' ');
    }
    return QLatin1Char(' ') + text + QLatin1Char(' ');
}

}  // namespace

Status SaveSettingsFile(const QString& path, const QByteArray& bytes) {
    return SaveFileWherePossible(path, bytes);
}

SettingsRead ParseSettings(QIODevice& device, const QString& path) {
    SettingsRead read;
    TextInput input(device, path);
    QString line;

    // The value line of each pair; the comment line before it is never looked at.
    const auto nextValue = [&]() -> bool {
        for (int i = 0; i < 2; ++i) {
            Result<std::optional<QString>> next = input.readLine();
            if (!next) {
                read.messages << next.error();
            }
            if (!next || !next.value()) {
                return false;
            }
            line = *next.take();
        }
        return true;
    };
    const auto overflow = [&] {
        read.messages << QStringLiteral("%1: line %2 of %3")
                             .arg(OverflowDescription())
                             .arg(input.lineNumber())
                             .arg(path);
    };

    if (!nextValue()) {
        return read;
    }
    if (const Result<std::int16_t> language = TextToInt16(line)) {
        read.language = language.value();
    } else {
        overflow();
    }
    if (!nextValue()) {
        return read;
    }
    read.initDir = line;
    if (!nextValue()) {
        return read;
    }
    if (const Result<std::int16_t> scale = TextToInt16(line)) {
        read.screenScale = scale.value();
    } else {
        overflow();
    }
    if (!nextValue()) {
        return read;
    }
    if (const Result<double> printerScale = NumericPrefix(QStringView(line))) {
        read.printerScale = printerScale.value();
    } else {
        overflow();
    }
    return read;
}

QByteArray FormatSettings(std::int16_t language, const QString& initDir, std::int16_t screenScale,
                          double printerScale) {
    const QStringList lines = {QStringLiteral("// Language"),
                               numberField(Int16ToText(language)),
                               QStringLiteral("// Init DIR"),
                               initDir,
                               QStringLiteral("// Scale"),
                               numberField(Int16ToText(screenScale)),
                               QStringLiteral("// Printer Scale"),
                               numberField(DoubleToRoundTripText(printerScale)),
                               QStringLiteral("// "),
                               QString()};
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8() + "\r\n";
    }
    return bytes;
}

Result<SettingsRead> ReadSettingsFile(const QString& path) {
    // Refused unless a regular file: a FIFO here would hold up start-up for ever.
    QFile file;
    if (const Status opened = OpenInput(file, path, FifoRule::Refuse); !opened) {
        return Result<SettingsRead>::failure(
            CannotOpenDescription(QFileInfo(path).absoluteFilePath(), opened.error()));
    }
    return Result<SettingsRead>::success(ParseSettings(file, path));
}

}  // namespace vandrix
