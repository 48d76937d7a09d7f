// SPDX-License-Identifier: GPL-3.0-or-later
// The window's captions: the language file's texts for the current language, and the language
// menu that switches them.
#include "FormMain.h"

#include "LibraryWindow.h"
#include "ScaleBox.h"
#include "formats/LanguageFile.h"
#include "session/ProgramDirectory.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace vandrix {

// Screen readers announce each box with the caption beside it, in the current language.
void FormMain::announceCaptions() {
    TextScale->setAccessibleName(LabelScale->text());
    TextPrinterScale->setAccessibleName(LabelPrinterScale->text());
    for (std::size_t k = 0; k < Text.size(); ++k) {
        Text[k]->setAccessibleName(Label[k]->text());
    }
}

void FormMain::ReadLanguage() {
    const Result<LanguageRead> language = ReadLanguageFile(
        ProgramFilePath(state_.InitDir, QLatin1String(LanguageFileName)), state_.Language);
    if (!language) {
        dialogs_.messageBox(language.error());
        return;
    }
    const LanguageRead& read = language.value();

    // Language names beyond the menu's items have no place to go.
    for (qsizetype k = 0; k < read.menuItems.size() && k < qsizetype(mnuSetLang.size()); ++k) {
        mnuSetLang[static_cast<std::size_t>(k)]->setText(read.menuItems[k]);
    }
    const auto apply = [&read](LanguageSection section, const auto& set) {
        if (const std::optional<QString>& text = read.text(section)) {
            set(*text);
        }
    };
    using S = LanguageSection;
    apply(S::FontName, [this](const QString& t) { state_.LangFontName = t; });
    apply(S::WindowTitle, [this](const QString& t) { setWindowTitle(t); });
    apply(S::OpenButton, [this](const QString& t) { CommandInF->setText(t); });
    apply(S::FileErrorMessage, [this](const QString& t) { state_.FileErrorMessage = t; });
    apply(S::ScreenScaleLabel, [this](const QString& t) { LabelScale->setText(t); });
    apply(S::RedrawButton, [this](const QString& t) { CommandRePaint->setText(t); });
    apply(S::PrinterScaleLabel, [this](const QString& t) { LabelPrinterScale->setText(t); });
    apply(S::PrintButton, [this](const QString& t) { CommandPrinterOutput->setText(t); });
    apply(S::FileMenu, [this](const QString& t) { mnuFile->setTitle(t); });
    apply(S::ExitItem, [this](const QString& t) { mnuFileItem[0]->setText(t); });
    apply(S::SettingsMenu, [this](const QString& t) { mnuSet->setTitle(t); });
    apply(S::LanguageSubmenu, [this](const QString& t) { mnuSetItem[0]->setTitle(t); });
    apply(S::TemplateItem, [this](const QString& t) { mnuFileItem[1]->setText(t); });
    apply(S::LibraryItem, [this](const QString& t) { mnuFileItem[2]->setText(t); });
    templateCaptions_ = read;
    if (library_ != nullptr) {
        library_->setCaptions(read);
    }
    announceCaptions();

    dialogs_.messageBoxes(read.messages);
}

void FormMain::mnuSetLang_Click(std::int16_t index) {
    if (index == 0) {
        state_.Language = 1;
    } else if (index == 1) {
        state_.Language = 2;
    }
    ReadLanguage();
    if (!state_.DataName.isEmpty()) {
        ReadDataFile();
    }
}

}  // namespace vandrix
