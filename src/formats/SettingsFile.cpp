// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsFile.h"

#include "InputFile.h"
#include "TextInput.h"
#include "model/Conversions.h"
#include "model/FileMessages.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace vandrix {

namespace {

// A number between blanks; a negative one has its minus sign where the leading blank would be.
QString numberField(const QString& text) {
    if (text.startsWith(QLatin1Char('-'))) {
        return text + QLatin1Char(' ');
    }
    return QLatin1Char(' ') + text + QLatin1Char(' ');
}

// The new file beside the old one, on disk before it takes the old one's name.
std::optional<QString> replaceAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        return std::nullopt;
    }
    return file.errorString();
}

// QSaveFile will not replace a file it may not write, though the directory lets any file there
// be removed and created: rename a new one over it, made as a newly created file would be.
std::optional<QString> replaceReadOnly(const QString& path, const QByteArray& bytes) {
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
        return file.errorString();
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(file.handle(), 0666 & ~mask) != 0 || ::fsync(file.handle()) != 0 ||
        std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(path).constData()) != 0) {
        return ErrnoText(errno);
    }
    file.setAutoRemove(false);
    return std::nullopt;
}

// Empties the existing file and writes it, for a directory that takes no new file. The new
// bytes go over the old ones before the file is cut to length, so a failing write can put the
// old bytes back.
std::optional<QString> writeInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        return file.errorString();
    }
    const QByteArray old = file.readAll();
    if (file.seek(0) && file.write(bytes) == bytes.size() && file.resize(bytes.size()) &&
        ::fsync(file.handle()) == 0) {
        return std::nullopt;
    }
    const QString reason = file.errorString();
    if (file.seek(0) && file.write(old) == old.size()) {
        file.resize(old.size());
    }
    return reason;
}

}  // namespace

Status SaveSettingsFile(const QString& path, const QByteArray& bytes) {
    std::optional<QString> failure = replaceAtomically(path, bytes);
    const QFileInfo existing(path);
    if (failure && existing.exists() && !existing.isWritable()) {
        failure = replaceReadOnly(path, bytes);
    }
    if (failure) {
        failure = writeInPlace(path, bytes);
    }
    return failure ? Status::failure(CannotWriteDescription(existing.absoluteFilePath(), *failure))
                   : Status::success();
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
