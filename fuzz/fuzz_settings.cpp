// SPDX-License-Identifier: GPL-3.0-or-later
// The settings reader: whatever it takes from a file, written back and read again, gives the
// same four values.
#include "ByteDevice.h"
#include "FuzzCheck.h"
#include "formats/SettingsFile.h"

#include <QBuffer>

#include <cstdint>

using namespace vandrix;

namespace {

SettingsRead parse(const QByteArray& bytes) {
    return testing::readFromBytes(
        bytes, [&](QIODevice& device) { return ParseSettings(device, QStringLiteral("Set.txt")); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const SettingsRead read = parse(bytes);
    const SettingsRead again = parse(bytes);
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
    const SettingsRead back = parse(FormatSettings(language, dir, scale, printer));
    FUZZ_CHECK(back.messages.isEmpty());
    FUZZ_CHECK(back.language == language);
    FUZZ_CHECK(back.initDir == dir);
    FUZZ_CHECK(back.screenScale == scale);
    FUZZ_CHECK(back.printerScale == printer);
    return 0;
}
