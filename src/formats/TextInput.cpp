// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextInput.h"

#include "model/FileMessages.h"

#include <QIODevice>
#include <QStringDecoder>

namespace vandrix {

namespace {

constexpr qsizetype ChunkSize = qsizetype{64} * 1024;
// No UTF-16 unit takes more than three bytes (invalid bytes decode one unit each), so a line of
// more bytes than this has more than MaxLineChars characters whatever it holds.
constexpr qsizetype MaxLineBytes = 3 * TextInput::MaxLineChars;

constexpr qint64 DetectionWindow = qint64{64} * 1024;

QString decode(const QByteArray& bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) {
        // Only the file's own byte-order mark is passed over (at its start); one that begins a
        // later line is part of the text.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        return utf8.decode(bytes);
    }
    QStringDecoder cp932("windows-31j");
    if (!cp932.isValid()) {
        cp932 = QStringDecoder("Shift_JIS");
    }
    return cp932.decode(bytes);
}

}  // namespace

TextEncoding DetectEncoding(QIODevice& device) {
    QByteArray start = device.peek(DetectionWindow);
    if (start.startsWith("\xEF\xBB\xBF")) {
        return TextEncoding::Utf8;
    }
    // A sequence cut off at the end of the window is not an error: the decoder keeps it pending.
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString text = utf8.decode(start);
    return utf8.hasError() ? TextEncoding::ShiftJis : TextEncoding::Utf8;
}

TextInput::TextInput(QIODevice& device, QString name)
    : device_(device), name_(std::move(name)), encoding_(DetectEncoding(device)) {}

bool TextInput::fill() {
    if (failed_) {
        return false;
    }
    buffer_.resize(ChunkSize);
    const qint64 n = device_.read(buffer_.data(), ChunkSize);
    if (n < 0) {
        failed_ = true;
        buffer_.clear();
        pos_ = 0;
        return false;
    }
    buffer_.resize(static_cast<qsizetype>(n));
    filled_ += n;
    pos_ = 0;
    if (atStart_) {
        atStart_ = false;
        if (buffer_.startsWith("\xEF\xBB\xBF")) {
            pos_ = 3;
        }
    }
    return pos_ < buffer_.size();
}

int TextInput::peek() {
    if (pos_ >= buffer_.size() && !fill()) {
        return -1;
    }
    return static_cast<unsigned char>(buffer_.constData()[pos_]);
}

int TextInput::get() {
    const int c = peek();
    if (c >= 0) {
        ++pos_;
    }
    return c;
}

void TextInput::consumeLineEnd() {
    if (peek() == '\r') {
        get();
    }
    if (peek() == '\n') {
        get();
    }
}

Result<std::optional<QString>> TextInput::readLine() {
    using R = Result<std::optional<QString>>;
    ++lineNumber_;
    if (peek() < 0) {
        return failed_ ? R::failure(readFailure()) : R::success(std::nullopt);
    }
    QByteArray bytes;
    bool tooLongLine = false;
    for (;;) {
        if (pos_ >= buffer_.size() && !fill()) {
            break;
        }
        const qsizetype start = pos_;
        const qsizetype newline = buffer_.indexOf('\n', start);
        const qsizetype stop = newline < 0 ? buffer_.size() : newline;
        if (!tooLongLine) {
            if (bytes.size() + (stop - start) > MaxLineBytes + 1) {  // +1: room for a CR
                tooLongLine = true;
                bytes.clear();
            } else {
                bytes.append(buffer_.constData() + start, stop - start);
            }
        }
        pos_ = stop;
        if (newline >= 0) {
            ++pos_;
            break;
        }
    }
    if (failed_) {
        return R::failure(readFailure());
    }
    if (tooLongLine) {
        return R::failure(tooLong());
    }
    if (bytes.endsWith('\r')) {
        bytes.chop(1);
    }
    QString decoded = decode(bytes, encoding_);
    if (decoded.size() > MaxLineChars) {
        return R::failure(tooLong());
    }
    return R::success(std::move(decoded));
}

Result<bool> TextInput::skipLine() {
    ++lineNumber_;
    if (peek() < 0) {
        return failed_ ? Result<bool>::failure(readFailure()) : Result<bool>::success(false);
    }
    for (;;) {
        if (pos_ >= buffer_.size() && !fill()) {
            break;
        }
        const qsizetype newline = buffer_.indexOf('\n', pos_);
        if (newline >= 0) {
            pos_ = newline + 1;
            break;
        }
        pos_ = buffer_.size();
    }
    return failed_ ? Result<bool>::failure(readFailure()) : Result<bool>::success(true);
}

Result<std::optional<QByteArrayView>> TextInput::readItem() {
    using R = Result<std::optional<QByteArrayView>>;
    QByteArray& item = item_;
    item.clear();
    // Blanks before the item and empty lines.
    for (;;) {
        const int c = peek();
        if (c < 0) {
            return failed_ ? R::failure(readFailure()) : R::success(std::nullopt);
        }
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            get();
            continue;
        }
        break;
    }
    const auto keep = [&item](int c) {
        if (item.size() < MaxItemBytes) {
            item.append(static_cast<char>(c));
        }
    };
    if (peek() == '"') {
        get();
        for (int c = peek(); c >= 0 && c != '"' && c != '\r' && c != '\n'; c = peek()) {
            keep(get());
        }
        if (peek() == '"') {
            get();
        }
        // Whatever follows the closing quote up to the separator is not part of the item.
        for (int c = peek(); c >= 0 && c != ',' && c != '\r' && c != '\n'; c = peek()) {
            get();
        }
    } else {
        for (int c = peek(); c >= 0 && c != ',' && c != '\r' && c != '\n'; c = peek()) {
            keep(get());
        }
    }
    if (peek() == ',') {
        get();
        // A comma at the end of a line: the line end belongs to it.
        while (peek() == ' ' || peek() == '\t') {
            get();
        }
        consumeLineEnd();
    } else {
        consumeLineEnd();
    }
    if (failed_) {
        return R::failure(readFailure());
    }
    while (item.endsWith(' ') || item.endsWith('\t')) {
        item.chop(1);
    }
    return R::success(QByteArrayView(item));
}

QString TextInput::readFailure() const {
    return CannotReadDescription(name_, device_.errorString());
}

QString TextInput::tooLong() const {
    return QStringLiteral("Line %1 of %2 is too long.").arg(lineNumber_).arg(name_);
}

}  // namespace vandrix
