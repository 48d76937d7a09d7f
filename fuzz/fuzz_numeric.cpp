// SPDX-License-Identifier: GPL-3.0-or-later
// The numeric-prefix rule against a straightforward reference on the same grammar, and the
// rounding and text rules on what it reads.
#include "FuzzCheck.h"
#include "model/Conversions.h"

#include <QString>

#include <locale.h>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace vandrix;

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The reference: drop every blank, tab and line feed, take the longest prefix of the grammar
// by hand, and convert it with the C library in the C locale.
struct Reference {
    bool overflow = false;
    double value = 0.0;
};

Reference reference(std::string_view input) {
    std::string s;
    for (const char c : input) {
        if (c != ' ' && c != '\t' && c != '\n') {
            s += c;
        }
    }
    std::size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        number += s[i++];
    }
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        number += s[i++];
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        std::size_t j = i + 1;
        std::string fraction;
        while (j < s.size() && isDigit(s[j])) {
            fraction += s[j++];
        }
        if (digits > 0 || !fraction.empty()) {
            number += '.' + fraction;
            digits += fraction.size();
            i = j;
        }
    }
    if (digits == 0) {
        return {};
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            exponent += s[j++];
        }
        const std::size_t start = j;
        while (j < s.size() && isDigit(s[j])) {
            exponent += s[j++];
        }
        if (j > start) {
            number += exponent;
        }
    }
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    errno = 0;
    const double value = strtod_l(number.c_str(), nullptr, cLocale);
    if (std::isinf(value)) {
        return {true, 0.0};
    }
    return {false, value};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Result<double> number = NumericPrefix(bytes);
    const Reference expected = reference(bytes);
    FUZZ_CHECK(number.ok() == !expected.overflow);
    if (!number.ok()) {
        FUZZ_CHECK(number.error() == OverflowDescription());
        return 0;
    }
    const double value = number.value();
    FUZZ_CHECK(std::isfinite(value));
    FUZZ_CHECK(value == expected.value);

    // The same text as UTF-16 reads the same.
    const Result<double> asText =
        NumericPrefix(QStringView(QString::fromLatin1(bytes.data(), qsizetype(size))));
    FUZZ_CHECK(asText.ok() && asText.value() == value);

    // Rounding: the nearest integer, a half to the even one, or an overflow outside 16 bits.
    const Result<std::int16_t> rounded = RoundToInt16(value);
    const double nearest = std::nearbyint(value);  // the default mode rounds half to even
    if (nearest < -32768.0 || nearest > 32767.0) {
        FUZZ_CHECK(!rounded.ok());
    } else {
        FUZZ_CHECK(rounded.ok() && rounded.value() == static_cast<std::int16_t>(nearest));
        FUZZ_CHECK(TextToInt16(QStringView(Int16ToText(rounded.value()))).value() ==
                   rounded.value());
    }

    // Written for the settings file, the value reads back exactly; shown in a box, to 15 digits.
    const Result<double> back = NumericPrefix(QStringView(DoubleToRoundTripText(value)));
    FUZZ_CHECK(back.ok() && back.value() == value);
    const Result<double> shown = NumericPrefix(QStringView(DoubleToText(value)));
    FUZZ_CHECK(shown.ok());
    FUZZ_CHECK(value == 0.0 ? shown.value() == 0.0
                            : std::fabs(shown.value() - value) <= std::fabs(value) * 1e-14);
    return 0;
}
