// SPDX-License-Identifier: GPL-3.0-or-later
// The header-line rules: a line with two colons splits into label, label and value that join
// back into the line; one with fewer stops the read and gives an empty label.
#include "FuzzCheck.h"
#include "formats/HeaderLine.h"

#include <QString>

#include <cstdint>

using namespace vandrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString line = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype colons = line.count(QLatin1Char(':'));

    std::int16_t stop2 = 0;
    std::int16_t stop1 = 0;
    const QString label2 = GetLabel(line, 2, stop2);
    const QString label1 = GetLabel(line, 1, stop1);
    if (colons < 2) {
        FUZZ_CHECK(stop2 == 1 && stop1 == 1);
        FUZZ_CHECK(label2.isEmpty() && label1.isEmpty());
    } else {
        FUZZ_CHECK(stop2 == 0 && stop1 == 0);
        FUZZ_CHECK(!label2.contains(QLatin1Char(':')) && !label1.contains(QLatin1Char(':')));
        const QString value = GetValue(line);
        FUZZ_CHECK(label2 + QLatin1Char(':') + label1 + QLatin1Char(':') + value == line);
    }
    std::int16_t already = 1;
    GetLabel(line, 1, already);
    FUZZ_CHECK(already == 1);  // never cleared

    FUZZ_CHECK(LastPos(line, u":") == line.lastIndexOf(QLatin1Char(':')) + 1);
    FUZZ_CHECK(LastPos(line, u"::") == 0);
    FUZZ_CHECK(LastPos(line, u"") == 0);
    return 0;
}
