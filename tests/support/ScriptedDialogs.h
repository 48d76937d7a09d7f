// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "session/Dialogs.h"

#include <QStringList>

#include <functional>

namespace vandrix {

// Dialogs that answer from a script and remember what they were asked.
class ScriptedDialogs : public Dialogs {
public:
    QStringList messages;      // every message box text, in order
    QStringList prompts;       // every input box prompt
    QStringList openDirs;      // the initial directory of every open-file dialog
    QStringList inputAnswers;  // next answers of the input box ("" once they run out)
    QStringList openAnswers;   // next answers of the open-file dialog ("" once they run out)
    // Answers the template dialog by changing the answer it is shown; cancelled without one.
    std::function<bool(const LanguageRead& captions, TemplateAnswer& answer)> templateAnswer;
    int templateDialogs = 0;    // how often the template dialog was shown
    QStringList folderDirs;     // the initial directory of every folder dialog
    QStringList folderAnswers;  // next answers of the folder dialog ("" once they run out)
    QStringList saveStarts;     // the initial path of every save-file dialog
    QStringList saveAnswers;    // next answers of the save-file dialog ("" once they run out)

    void messageBox(const QString& text) override { messages << text; }
    QString inputBox(const QString& prompt) override {
        prompts << prompt;
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }
    QString openFile(const QString& initialDir) override {
        openDirs << initialDir;
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    bool templateSettings(const LanguageRead& captions, TemplateAnswer& answer) override {
        ++templateDialogs;
        return templateAnswer && templateAnswer(captions, answer);
    }
    QString chooseFolder(const QString& /*title*/, const QString& initialDir) override {
        folderDirs << initialDir;
        return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
    }
    QString saveFile(const QString& /*title*/, const QString& initialPath,
                     const QStringList& /*filters*/) override {
        saveStarts << initialPath;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
};

}  // namespace vandrix
