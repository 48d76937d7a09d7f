// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vandrix {

TemplateDialog::TemplateDialog(const LanguageRead& captions, const TemplateAnswer& answer,
                               QWidget* parent)
    : QDialog(parent), answer_(answer) {
    using S = LanguageSection;
    setObjectName(QStringLiteral("TemplateDialog"));
    setWindowTitle(Caption(captions, S::TemplateTitle));

    auto* form = new QFormLayout;
    const auto box = [&](S caption, const char* name, const QString& text) {
        auto* edit = new QLineEdit(text, this);
        edit->setObjectName(QLatin1String(name));
        auto* label = new QLabel(Caption(captions, caption), this);
        label->setBuddy(edit);
        edit->setAccessibleName(label->text().remove(QLatin1Char('&')));
        form->addRow(label, edit);
        return edit;
    };
    chord_ = box(S::TemplateChord, "TemplateChord", answer.chord);
    teThickness_ = box(S::TemplateTeThickness, "TemplateTeThickness", answer.teThickness);
    inset_ = box(S::TemplateInset, "TemplateInset", answer.inset);
    spars_ = box(S::TemplateSpars, "TemplateSpars", answer.spars);
    spars_->setPlaceholderText(QStringLiteral("25:6:5 60:4:3:lower"));
    spars_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 36);

    auto* files = new QHBoxLayout;
    const auto check = [&](S caption, const char* name, bool checked) {
        auto* option = new QCheckBox(Caption(captions, caption), this);
        option->setObjectName(QLatin1String(name));
        option->setChecked(checked);
        files->addWidget(option);
        return option;
    };
    dxf_ = check(S::TemplateDxf, "TemplateDxf", answer.dxf);
    pdf_ = check(S::TemplatePdf, "TemplatePdf", answer.pdf);
    svg_ = check(S::TemplateSvg, "TemplateSvg", answer.svg);
    files->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(files);
    layout->addWidget(buttons);
}

TemplateAnswer TemplateDialog::answer() const {
    TemplateAnswer answer = answer_;
    answer.chord = chord_->text();
    answer.teThickness = teThickness_->text();
    answer.inset = inset_->text();
    answer.spars = spars_->text();
    answer.dxf = dxf_->isChecked();
    answer.pdf = pdf_->isChecked();
    answer.svg = svg_->isChecked();
    return answer;
}

}  // namespace vandrix
