// SPDX-License-Identifier: GPL-3.0-or-later
#include "LanguageFile.h"

#include "ShippedFiles.h"

#include "InputFile.h"
#include "TextInput.h"
#include "model/Conversions.h"
#include "model/FileMessages.h"

#include <QFile>
#include <QFileInfo>

namespace vandrix {

LanguageRead ParseLanguage(QIODevice& device, std::int16_t language, const QString& path) {
    LanguageRead read;
    TextInput input(device, path);
    QString line;

    // `mayEnd`: the file may end here, without a message.
    const auto next = [&](bool mayEnd = false) -> bool {
        Result<std::optional<QString>> got = input.readLine();
        if (got && got.value()) {
            line = *got.take();
            return true;
        }
        if (!got) {
            read.messages << got.error();
        } else if (!mayEnd) {
            read.messages << QStringLiteral("The language file %1 ends early, at line %2.")
                                 .arg(path)
                                 .arg(input.lineNumber());
        }
        return false;
    };

    if (!next() || !next()) {
        return read;
    }
    int count = 0;
    if (const Result<std::int16_t> n = TextToInt16(line)) {
        count = n.value();
    } else {
        read.messages << QStringLiteral("%1: line 2 of %2").arg(OverflowDescription(), path);
    }

    for (int section = 1; section <= LanguageSectionCount; ++section) {
        if (!next(section > FirstLanguageSectionCount)) {  // the section's header
            return read;
        }
        for (int k = 1; k <= count; ++k) {
            if (!next()) {
                return read;
            }
            if (section == static_cast<int>(LanguageSection::MenuItems)) {
                read.menuItems << line;
            } else if (k == language) {
                read.texts.at(static_cast<std::size_t>(section)) = line;
            }
        }
    }
    return read;
}

QString BuiltInCaption(LanguageSection section) {
    switch (section) {
        case LanguageSection::TemplateItem:
            return QStringLiteral("&Template...");
        case LanguageSection::TemplateTitle:
            return QStringLiteral("Template");
        case LanguageSection::TemplateChord:
            return QStringLiteral("&Chord (mm)");
        case LanguageSection::TemplateTeThickness:
            return QStringLiteral("&Trailing-edge thickness (mm)");
        case LanguageSection::TemplateInset:
            return QStringLiteral("&Inset (mm)");
        case LanguageSection::TemplateSpars:
            return QStringLiteral("&Spar notches (POS:WIDTH:DEPTH[:upper|lower|both] ...)");
        case LanguageSection::TemplateDxf:
            return QStringLiteral("&DXF");
        case LanguageSection::TemplatePdf:
            return QStringLiteral("&PDF template (A4 at 1:1)");
        case LanguageSection::TemplateSvg:
            return QStringLiteral("S&VG template");
        case LanguageSection::NoDataFileMessage:
            return QStringLiteral(
                "Open a data file first: the template is drawn from its section.");
        case LanguageSection::LibraryItem:
            return QStringLiteral("&Library...");
        case LanguageSection::LibraryTitle:
            return QStringLiteral("Library");
        case LanguageSection::LibraryFolder:
            return QStringLiteral("&Folder...");
        case LanguageSection::LibrarySubfolders:
            return QStringLiteral("Include &subfolders");
        case LanguageSection::LibraryReload:
            return QStringLiteral("&Reload");
        case LanguageSection::LibrarySavePicture:
            return QStringLiteral("Save &picture...");
        case LanguageSection::LibraryFilter:
            return QStringLiteral("F&ilter");
        case LanguageSection::LibraryThickness:
            return QStringLiteral("&Thickness %");
        case LanguageSection::LibraryCamber:
            return QStringLiteral("C&amber %");
        case LanguageSection::LibraryRangeTo:
            return QStringLiteral("to");
        case LanguageSection::LibraryProgress:
            return QStringLiteral("%1 of %2 files read");
        case LanguageSection::LibraryTooMany:
            return QStringLiteral("%1 sections selected: the first 8 are drawn.");
        case LanguageSection::LibraryFileColumn:
            return QStringLiteral("File");
        case LanguageSection::LibraryNameColumn:
            return QStringLiteral("Name");
        case LanguageSection::LibraryFormatColumn:
            return QStringLiteral("Format");
        case LanguageSection::LibraryThicknessColumn:
            return QStringLiteral("Thickness %");
        case LanguageSection::LibraryThicknessAtColumn:
            return QStringLiteral("Thickness at %");
        case LanguageSection::LibraryCamberColumn:
            return QStringLiteral("Camber %");
        case LanguageSection::LibraryCamberAtColumn:
            return QStringLiteral("Camber at %");
        case LanguageSection::LibraryLeRadiusColumn:
            return QStringLiteral("LE radius %");
        case LanguageSection::LibraryTeGapColumn:
            return QStringLiteral("TE gap %");
        case LanguageSection::LibraryZeroLiftColumn:
            return QStringLiteral("Zero-lift angle °");
        case LanguageSection::LibraryMomentColumn:
            return QStringLiteral("Cm c/4");
        case LanguageSection::LibraryNotesColumn:
            return QStringLiteral("Notes");
        default:
            return {};
    }
}

QString Caption(const LanguageRead& read, LanguageSection section) {
    return read.text(section).value_or(BuiltInCaption(section));
}

namespace {

// Gives the later sections that `read` lacks the lines of `fallbackPath`'s file for the same
// language, where that file has them. Nothing about the fallback file is reported: it only
// stands in for lines the user's file is too old to have.
void FillLaterSections(LanguageRead& read, std::int16_t language, const QString& fallbackPath) {
    const auto lacking = [&read] {
        for (int s = FirstLanguageSectionCount + 1; s <= LanguageSectionCount; ++s) {
            if (!read.texts.at(static_cast<std::size_t>(s))) {
                return true;
            }
        }
        return false;
    };
    if (fallbackPath.isEmpty() || !lacking()) {
        return;
    }
    // Refused unless a regular file, like the user's own: a FIFO would hold up start-up.
    QFile file;
    if (!OpenInput(file, fallbackPath, FifoRule::Refuse)) {
        return;
    }
    const LanguageRead fallback = ParseLanguage(file, language, fallbackPath);
    for (int s = FirstLanguageSectionCount + 1; s <= LanguageSectionCount; ++s) {
        auto& text = read.texts.at(static_cast<std::size_t>(s));
        if (!text) {
            text = fallback.texts.at(static_cast<std::size_t>(s));
        }
    }
}

}  // namespace

Result<LanguageRead> ReadLanguageFile(const QString& path, std::int16_t language,
                                      const QString& fallbackPath) {
    // Refused unless a regular file: a FIFO here would hold up start-up for ever.
    QFile file;
    if (const Status opened = OpenInput(file, path, FifoRule::Refuse); !opened) {
        return Result<LanguageRead>::failure(
            CannotOpenDescription(QFileInfo(path).absoluteFilePath(), opened.error()));
    }
    LanguageRead read = ParseLanguage(file, language, path);
    FillLaterSections(read, language, fallbackPath);
    return Result<LanguageRead>::success(std::move(read));
}

Result<LanguageRead> ReadLanguageFile(const QString& path, std::int16_t language) {
    return ReadLanguageFile(path, language, ShippedLanguageFile());
}

}  // namespace vandrix
