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

    const Result<QString> label2 = GetLabel(line, 2);
    const Result<QString> label1 = GetLabel(line, 1);
    if (colons < 2) {
        FUZZ_CHECK(!label2 && !label1);
    } else {
        FUZZ_CHECK(label2 && label1);
        FUZZ_CHECK(!label2.value().contains(QLatin1Char(':')) &&
                   !label1.value().contains(QLatin1Char(':')));
        const QString value = GetValue(line);
        FUZZ_CHECK(label2.value() + QLatin1Char(':') + label1.value() + QLatin1Char(':') + value ==
                   line);
    }

    FUZZ_CHECK(LastPos(line, u":") == line.lastIndexOf(QLatin1Char(':')) + 1);
    FUZZ_CHECK(LastPos(line, u"::") == 0);
    FUZZ_CHECK(LastPos(line, u"") == 0);
    return 0;
}
