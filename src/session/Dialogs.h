// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/TemplateAnswer.h"

#include <QString>
#include <QStringList>

namespace vandrix {

struct LanguageRead;

// The modal dialogs the program uses. All are modal and return when the user has answered.
class Dialogs {
public:
    Dialogs() = default;
    Q_DISABLE_COPY_MOVE(Dialogs)
    virtual ~Dialogs() = default;

    // A text with an OK button only and an empty title.
    virtual void messageBox(const QString& text) = 0;
    // A one-line input box with a prompt and no title; the typed text, or empty when cancelled.
    virtual QString inputBox(const QString& prompt) = 0;
    // The open-file dialog starting in initialDir; the chosen file's full path, or empty.
    virtual QString openFile(const QString& initialDir) = 0;
    // The template dialog with `captions`' texts, showing `answer` first, then the name to write
    // next to. True with `answer` as the user left it; false, and `answer` as it was, when
    // cancelled.
    virtual bool templateSettings(const LanguageRead& captions, TemplateAnswer& answer) = 0;
    // The folder dialog with `title`, starting in initialDir; the chosen folder, or empty.
    virtual QString chooseFolder(const QString& title, const QString& initialDir) = 0;
    // The save-file dialog with `title`, starting at initialPath, offering `filters`
    // ("PNG (*.png)", ...; a name typed without an extension takes the chosen filter's); the
    // chosen path, or empty.
    virtual QString saveFile(const QString& title, const QString& initialPath,
                             const QStringList& filters) = 0;

    // One message box for each text, in order.
    void messageBoxes(const QStringList& texts) {
        for (const QString& text : texts) {
            messageBox(text);
        }
    }
};

}  // namespace vandrix
