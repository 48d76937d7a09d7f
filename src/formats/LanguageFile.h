#pragma once

#include "model/Result.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

class QIODevice;

namespace vandrix {

inline constexpr auto LanguageFileName = "Language.txt";

// The sections of the language file, in file order. Each has a header line and one line per
// language; MenuItems names every language, the others give the current language's text.
enum class LanguageSection {
    MenuItems = 1,
    FontName,
    WindowTitle,
    Unused,
    OpenButton,
    FileErrorMessage,
    ScreenScaleLabel,
    RedrawButton,
    PrinterScaleLabel,
    PrintButton,
    FileMenu,
    ExitItem,
    SettingsMenu,
    LanguageSubmenu,
};
inline constexpr int LanguageSectionCount = 14;

// What a read of the language file found.
struct LanguageRead {
    // Section 1: the name of language k at index k - 1, for every language the file lists.
    QStringList menuItems;
    // Sections 2 to 14: the current language's line, verbatim, where the file gave one.
    std::array<std::optional<QString>, LanguageSectionCount + 1> texts;
    // What the user must be told, in order.
    QStringList messages;

    const std::optional<QString>& text(LanguageSection section) const {
        return texts.at(static_cast<std::size_t>(section));
    }
};

// Reads the language file from an open device for the given language number; `path` names
// the file in messages. Line 2 gives the number of languages N; then fourteen sections of a
// header line and N lines each. A language outside 1..N takes nothing but the menu items.
LanguageRead ParseLanguage(QIODevice& device, std::int16_t language, const QString& path);

// Opens and reads the language file at `path`; fails with the one message for a file that
// cannot be opened.
Result<LanguageRead> ReadLanguageFile(const QString& path, std::int16_t language);

}  // namespace vandrix
