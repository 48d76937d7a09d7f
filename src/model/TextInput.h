// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

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
class TextInput {
public:
    enum class Status { Ok, End, TooLong, Failed };

    static constexpr qsizetype MaxLineChars = 32767;
    static constexpr qsizetype MaxItemBytes = 32768;

    explicit TextInput(QIODevice& device);

    // The next line without its line end. TooLong: the line was longer than MaxLineChars;
    // it has been consumed and `line` is left empty.
    Status readLine(QString& line);

    // Passes over the next line without holding it.
    Status skipLine();

    // The next comma- or line-separated item, as raw bytes. Blanks and tabs before an item
    // and empty lines are passed over; an item in double quotes is taken without its quotes
    // (commas inside included); a line end right after a comma ends that line, it does not
    // add an empty item. Only the first MaxItemBytes bytes of an item are kept.
    Status readItem(QByteArray& item);

    // How many of the device's bytes the calls so far have used.
    qint64 position() const { return filled_ - (buffer_.size() - pos_); }

    // What went wrong when a call returned Failed.
    QString errorString() const;

    // The message for a line that could not be read (too long, or a read error), naming the
    // line and the file; empty for Ok and End.
    QString describe(Status status, int lineNumber, const QString& path) const;

private:
    int peek();
    int get();
    bool fill();
    void consumeLineEnd();

    QIODevice& device_;
    TextEncoding encoding_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    qint64 filled_ = 0;
    bool atStart_ = true;
    bool failed_ = false;
};

}  // namespace vandrix
