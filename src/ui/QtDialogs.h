// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "session/Dialogs.h"

#include <QPointer>
#include <QWidget>

namespace vandrix {

// Message box, input box, open-file, template, folder and save-file dialogs from Qt, over the given
// parent window.
class QtDialogs : public Dialogs {
public:
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    void messageBox(const QString& text) override;
    QString inputBox(const QString& prompt) override;
    QString openFile(const QString& initialDir) override;
    bool templateSettings(const LanguageRead& captions, TemplateAnswer& answer) override;
    QString chooseFolder(const QString& title, const QString& initialDir) override;
    QString saveFile(const QString& title, const QString& initialPath,
                     const QStringList& filters) override;

private:
    QWidget* visibleParent() const;
    // The window that has the focus, else visibleParent().
    QWidget* activeParent() const;
    QPointer<QWidget> parent_;
};

}  // namespace vandrix
