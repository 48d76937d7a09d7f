// SPDX-License-Identifier: GPL-3.0-or-later
// The language-file reader: only the current language's lines apply, sections fill in order,
// and the language menu takes every language the file lists.
#include "FormatBytes.h"
#include "FuzzCheck.h"
#include "formats/LanguageFile.h"

#include <cstdint>

using namespace vandrix;
using vandrix::testing::parseLanguageBytes;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const LanguageRead reference = parseLanguageBytes(bytes, 1);
    for (const std::int16_t language :
         {std::int16_t(0), std::int16_t(1), std::int16_t(2), std::int16_t(3)}) {
        const LanguageRead read = parseLanguageBytes(bytes, language);
        // The menu names do not depend on the current language, nor do the messages.
        FUZZ_CHECK(read.menuItems == reference.menuItems);
        FUZZ_CHECK(read.messages == reference.messages);
        FUZZ_CHECK(read.messages.size() <= 2);
        FUZZ_CHECK(!read.texts[0] && !read.texts[1]);
        bool gap = false;
        for (int section = 2; section <= LanguageSectionCount; ++section) {
            const bool present = read.texts[static_cast<std::size_t>(section)].has_value();
            FUZZ_CHECK(!present || language >= 1);
            FUZZ_CHECK(!present || read.menuItems.size() >= language);
            FUZZ_CHECK(!(gap && present));
            gap = gap || !present;
        }
    }
    return 0;
}
