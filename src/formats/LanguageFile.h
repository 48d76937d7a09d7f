// SPDX-License-Identifier: GPL-3.0-or-later
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
    // Added later: a file that ends before them reads as before, and they come from the shipped
    // file, else from BuiltInCaption.
    TemplateItem,
    TemplateTitle,
    TemplateChord,
    TemplateTeThickness,
    TemplateInset,
    TemplateSpars,
    TemplateDxf,
    TemplatePdf,
    TemplateSvg,
    NoDataFileMessage,
    LibraryItem,
    LibraryTitle,
    LibraryFolder,
    LibrarySubfolders,
    LibraryReload,
    LibrarySavePicture,
    LibraryFilter,
    LibraryThickness,
    LibraryCamber,
    LibraryRangeTo,
    LibraryProgress,
    LibraryTooMany,
    LibraryFileColumn,
    LibraryNameColumn,
    LibraryFormatColumn,
    LibraryThicknessColumn,
    LibraryThicknessAtColumn,
    LibraryCamberColumn,
    LibraryCamberAtColumn,
    LibraryLeRadiusColumn,
    LibraryTeGapColumn,
    LibraryZeroLiftColumn,
    LibraryMomentColumn,
    LibraryNotesColumn,
};
inline constexpr int LanguageSectionCount = 48;
// The sections every language file has; a file may end after any section from here on.
inline constexpr int FirstLanguageSectionCount = 14;

// What a read of the language file found.
struct LanguageRead {
    // Section 1: the name of language k at index k - 1, for every language the file lists.
    QStringList menuItems;
    // Sections 2 to LanguageSectionCount: the current language's line, verbatim, where the file
    // gave one.
    std::array<std::optional<QString>, LanguageSectionCount + 1> texts;
    // What the user must be told, in order.
    QStringList messages;

    const std::optional<QString>& text(LanguageSection section) const {
        return texts.at(static_cast<std::size_t>(section));
    }
};

// Reads the language file from an open device for the given language number; `path` names
// the file in messages. Line 2 gives the number of languages N; then sections of a header line
// and N lines each: the first fourteen always, the later ones where the file has them. A
// language outside 1..N takes nothing but the menu items.
LanguageRead ParseLanguage(QIODevice& device, std::int16_t language, const QString& path);

// The English text of a section added later.
QString BuiltInCaption(LanguageSection section);
// A section's text in `read`, else BuiltInCaption.
QString Caption(const LanguageRead& read, LanguageSection section);

// Opens and reads the language file at `path`, the later sections it lacks from the shipped
// file (ShippedLanguageFile) or `fallbackPath`; fails with the one message for a file that
// cannot be opened.
Result<LanguageRead> ReadLanguageFile(const QString& path, std::int16_t language);
Result<LanguageRead> ReadLanguageFile(const QString& path, std::int16_t language,
                                      const QString& fallbackPath);

}  // namespace vandrix
