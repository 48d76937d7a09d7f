// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtDialogs.h"

#include "EmptyTitle.h"
#include "TemplateDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace vandrix {

QWidget* QtDialogs::visibleParent() const {
    return parent_ && parent_->isVisible() ? parent_.data() : nullptr;
}

QWidget* QtDialogs::activeParent() const {
    // The library asks from a window of its own: the dialog belongs over that one.
    QWidget* active = QApplication::activeWindow();
    return active != nullptr ? active : visibleParent();
}

void QtDialogs::messageBox(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, activeParent());
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setTextFormat(Qt::PlainText);
    KeepEmptyTitleEmpty(&box);
    box.exec();
}

QString QtDialogs::inputBox(const QString& prompt) {
    QInputDialog box(visibleParent());
    box.setObjectName(QStringLiteral("InputBox"));
    box.setWindowTitle(QString());
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    KeepEmptyTitleEmpty(&box);
    if (box.exec() != QDialog::Accepted) {
        return {};
    }
    return box.textValue();
}

QString QtDialogs::openFile(const QString& initialDir) {
    return QFileDialog::getOpenFileName(visibleParent(), QString(), initialDir);
}

bool QtDialogs::templateSettings(const LanguageRead& captions, TemplateAnswer& answer) {
    TemplateDialog dialog(captions, answer, visibleParent());
    // Values that cannot be taken are told and the dialog comes back with what was typed; so
    // does a cancelled choice of name.
    while (dialog.exec() == QDialog::Accepted) {
        TemplateAnswer typed = dialog.answer();
        if (const Status usable = CheckTemplateAnswer(typed); !usable) {
            messageBoxes(usable.errors());
            continue;
        }
        typed.name = QFileDialog::getSaveFileName(
            visibleParent(), Caption(captions, LanguageSection::TemplateTitle), typed.name);
        if (!typed.name.isEmpty()) {
            answer = typed;
            return true;
        }
    }
    return false;
}

QString QtDialogs::chooseFolder(const QString& title, const QString& initialDir) {
    return QFileDialog::getExistingDirectory(activeParent(), title, initialDir);
}

QString QtDialogs::saveFile(const QString& title, const QString& initialPath,
                            const QStringList& filters) {
    QFileDialog dialog(activeParent(), title, initialPath);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    // A name typed without an extension takes the chosen filter's, from "PNG (*.png)".
    const auto suffixOf = [](const QString& filter) {
        const qsizetype dot = filter.lastIndexOf(QLatin1String("*."));
        return dot < 0 ? QString() : filter.mid(dot + 2).chopped(1);
    };
    if (!filters.isEmpty()) {
        dialog.setDefaultSuffix(suffixOf(filters.first()));
    }
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog, &suffixOf](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace vandrix
