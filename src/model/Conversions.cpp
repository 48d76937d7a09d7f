// SPDX-License-Identifier: GPL-3.0-or-later
#include "Conversions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace vandrix {

namespace {

bool isSkipped(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n';
}

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

char32_t unitAt(QStringView text, std::size_t i) {
    return text[static_cast<qsizetype>(i)].unicode();
}

char32_t unitAt(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]);
}

// Walks a sequence of code units, passing over the characters that the numeric rule skips.
template <typename Units>
class Cursor {
public:
    explicit Cursor(Units units) : units_(units), size_(static_cast<std::size_t>(units.size())) {}
    char32_t peek() {
        while (pos_ < size_ && isSkipped(unitAt(units_, pos_))) {
            ++pos_;
        }
        return pos_ < size_ ? unitAt(units_, pos_) : U'\0';
    }
    void advance() { ++pos_; }
    std::size_t position() const { return pos_; }
    void rewind(std::size_t pos) { pos_ = pos; }

private:
    Units units_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// from_chars said "out of range": tells a number too large for a double from one too small,
// by the decimal place of its first significant digit. mantissa is "digits[.digits]".
bool magnitudeIsLarge(const std::string& mantissa, long long exponent) {
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstNonZero = mantissa.find_first_not_of("0.");
    if (firstNonZero == std::string::npos) {
        return false;
    }
    const long long place = firstNonZero < point ? static_cast<long long>(point - firstNonZero) - 1
                                                 : -static_cast<long long>(firstNonZero - point);
    return place + exponent > 0;
}

template <typename Units>
Result<double> numericPrefix(Units units) {
    Cursor<Units> cur(units);
    bool negative = false;
    if (const char32_t c = cur.peek(); c == U'+' || c == U'-') {
        negative = c == U'-';
        cur.advance();
    }

    std::string integerDigits;
    while (isDigit(cur.peek())) {
        integerDigits += static_cast<char>(cur.peek());
        cur.advance();
    }
    std::string fractionDigits;
    if (cur.peek() == U'.') {
        const std::size_t atPoint = cur.position();
        cur.advance();
        while (isDigit(cur.peek())) {
            fractionDigits += static_cast<char>(cur.peek());
            cur.advance();
        }
        if (integerDigits.empty() && fractionDigits.empty()) {
            cur.rewind(atPoint);
        }
    }
    if (integerDigits.empty() && fractionDigits.empty()) {
        return Result<double>::success(0.0);
    }

    // An exponent counts only when at least one digit follows the letter and its sign.
    long long exponent = 0;
    if (const char32_t e = cur.peek(); e == U'e' || e == U'E') {
        cur.advance();
        bool exponentNegative = false;
        if (const char32_t s = cur.peek(); s == U'+' || s == U'-') {
            exponentNegative = s == U'-';
            cur.advance();
        }
        while (isDigit(cur.peek())) {
            if (exponent < 1'000'000'000LL) {  // saturate: far beyond any double anyway
                exponent = exponent * 10 + static_cast<long long>(cur.peek() - U'0');
            }
            cur.advance();
        }
        if (exponentNegative) {
            exponent = -exponent;
        }
    }

    const std::string mantissa = (integerDigits.empty() ? std::string("0") : integerDigits) +
                                 (fractionDigits.empty() ? std::string() : "." + fractionDigits);
    std::string text = mantissa;
    if (exponent != 0) {
        text += 'e';
        text += std::to_string(exponent);
    }
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (magnitudeIsLarge(mantissa, exponent)) {
            return Result<double>::failure(OverflowDescription());
        }
        value = 0.0;
    } else if (ec != std::errc() || ptr != text.data() + text.size()) {
        return Result<double>::success(0.0);
    }
    return Result<double>::success(negative ? -value : value);
}

template <typename Int>
Result<Int> roundToInteger(double value) {
    if (!std::isfinite(value)) {
        return Result<Int>::failure(OverflowDescription());
    }
    const double floor = std::floor(value);
    const double diff = value - floor;
    double rounded = floor;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
        rounded = floor + 1.0;
    }
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        return Result<Int>::failure(OverflowDescription());
    }
    return Result<Int>::success(static_cast<Int>(rounded));
}

QString toText(double value, std::chars_format format, int precision) {
    if (value == 0.0) {
        return QStringLiteral("0");  // also for -0
    }
    std::array<char, 64> buffer{};
    const auto result =
        precision > 0
            ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision)
            : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format);
    QString text = QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    return text;
}

}  // namespace

QString OverflowDescription() {
    return QStringLiteral("Overflow");
}

Result<double> NumericPrefix(QStringView text) {
    return numericPrefix(text);
}

Result<double> NumericPrefix(std::string_view bytes) {
    return numericPrefix(bytes);
}

Result<double> TypedNumber(QStringView text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return Result<double>::failure(QStringLiteral("not a number"));
    }
    return Result<double>::success(value);
}

Result<int> TypedWholeNumber(QStringView text) {
    // Qt's integer reading passes over ASCII blanks only, unlike trimmed() above.
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok) {
        return Result<int>::failure(QStringLiteral("not a whole number"));
    }
    return Result<int>::success(value);
}

Result<std::int16_t> RoundToInt16(double value) {
    return roundToInteger<std::int16_t>(value);
}

Result<std::int32_t> RoundToInt32(double value) {
    return roundToInteger<std::int32_t>(value);
}

Result<std::int16_t> TextToInt16(QStringView text) {
    const Result<double> number = NumericPrefix(text);
    if (!number) {
        return Result<std::int16_t>::failure(number.error());
    }
    return RoundToInt16(number.value());
}

QString Int16ToText(std::int16_t value) {
    return QString::number(value);
}

QString DoubleToText(double value) {
    QString text = toText(value, std::chars_format::general, 15);
    // Near the largest doubles, rounding to 15 digits can step past the range; such a text
    // could not be read back, so it takes the digits it needs.
    if (!NumericPrefix(QStringView(text)).ok()) {
        return toText(value, std::chars_format::general, 0);
    }
    return text;
}

QString DoubleToRoundTripText(double value) {
    QString fifteen = DoubleToText(value);
    const Result<double> back = NumericPrefix(QStringView(fifteen));
    if (back && back.value() == value) {
        return fifteen;
    }
    return toText(value, std::chars_format::general, 0);
}

}  // namespace vandrix
