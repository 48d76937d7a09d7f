// SPDX-License-Identifier: GPL-3.0-or-later
// The settings reader: whatever it takes from a file, written back and read again, gives the
// same four values.
#include "FormatBytes.h"
#include "FuzzCheck.h"
#include "formats/SettingsFile.h"

#include <cstdint>

using namespace vandrix;
using vandrix::testing::parseSettingsBytes;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const SettingsRead read = parseSettingsBytes(bytes);
    const SettingsRead again = parseSettingsBytes(bytes);
    FUZZ_CHECK(read.language == again.language && read.initDir == again.initDir &&
               read.screenScale == again.screenScale && read.printerScale == again.printerScale &&
               read.messages == again.messages);
    FUZZ_CHECK(read.messages.size() <= 3);
    // Fields come in file order.
    FUZZ_CHECK(!read.initDir || read.language || !read.messages.isEmpty());
    FUZZ_CHECK(!read.printerScale || read.screenScale || !read.messages.isEmpty());

    const std::int16_t language = read.language.value_or(1);
    const QString dir = read.initDir.value_or(QString());
    const std::int16_t scale = read.screenScale.value_or(0);
    const double printer = read.printerScale.value_or(0.0);
    const SettingsRead back = parseSettingsBytes(FormatSettings(language, dir, scale, printer));
    FUZZ_CHECK(back.messages.isEmpty());
    FUZZ_CHECK(back.language == language);
    FUZZ_CHECK(back.initDir == dir);
    FUZZ_CHECK(back.screenScale == scale);
    FUZZ_CHECK(back.printerScale == printer);
    return 0;
}
