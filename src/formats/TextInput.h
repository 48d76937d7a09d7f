// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

class QIODevice;

namespace vandrix {

// How a text file's lines are decoded: UTF-8, or the Japanese Windows code page (CP932, a
// superset of Shift-JIS) of files written on the system the format comes from.
enum class TextEncoding { Utf8, ShiftJis };

// UTF-8 unless the file's first 64 KiB, which hold every decoded line of any real file, contain
// bytes that are not UTF-8. Looks ahead without consuming anything; a UTF-8 byte-order mark
// counts as UTF-8.
TextEncoding DetectEncoding(QIODevice& device);

// Line and item input from a text file's bytes, with bounded memory: a line is never held
// beyond MaxLineChars characters, an item never beyond MaxItemBytes bytes, and skipped lines
// are not held at all. Lines end with LF or CRLF; a UTF-8 byte-order mark at the start is
// passed over. Lines are decoded in the encoding the file's start shows.
//
// Each call gives what it read, nothing at the end of the input, or why not: a line longer than
// MaxLineChars ("Line N of NAME is too long.", the line consumed) or a read error ("Cannot read
// file NAME: REASON"). `name` names the file in those messages.
class TextInput {
public:
    static constexpr qsizetype MaxLineChars = 32767;
    static constexpr qsizetype MaxItemBytes = 32768;

    explicit TextInput(QIODevice& device, QString name = {});

    // The next line without its line end.
    Result<std::optional<QString>> readLine();

    // Passes over the next line without holding it; false at the end of the input.
    Result<bool> skipLine();

    // The next comma- or line-separated item, as raw bytes valid until the next call. Blanks and
    // tabs before an item and empty lines are passed over; an item in double quotes is taken
    // without its quotes (commas inside included); a line end right after a comma ends that
    // line, it does not add an empty item. Only the first MaxItemBytes bytes of an item are kept.
    Result<std::optional<QByteArrayView>> readItem();

    // How many of the device's bytes the calls so far have used.
    qint64 position() const { return filled_ - (buffer_.size() - pos_); }
    // The number of the line the last call read (1-based).
    int lineNumber() const { return lineNumber_; }

private:
    int peek();
    int get();
    bool fill();
    void consumeLineEnd();
    QString readFailure() const;
    QString tooLong() const;

    QIODevice& device_;
    QString name_;
    TextEncoding encoding_;
    QByteArray buffer_;
    QByteArray item_;
    qsizetype pos_ = 0;
    qint64 filled_ = 0;
    int lineNumber_ = 0;
    bool atStart_ = true;
    bool failed_ = false;
};

}  // namespace vandrix
