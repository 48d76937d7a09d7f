#pragma once

#include <QString>

namespace vandrix {

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
};

}  // namespace vandrix
