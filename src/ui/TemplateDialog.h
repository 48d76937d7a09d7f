// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/TemplateRequest.h"
#include "formats/LanguageFile.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace vandrix {

// Asks for a template's chord, build features and files, in the current language's captions.
// Its boxes are named TemplateChord, TemplateTeThickness, TemplateInset, TemplateSpars and
// TemplateDxf, TemplatePdf, TemplateSvg.
class TemplateDialog : public QDialog {
    Q_OBJECT

public:
    TemplateDialog(const LanguageRead& captions, const TemplateAnswer& answer,
                   QWidget* parent = nullptr);

    // The answer as the boxes hold it now (the name as it was given).
    TemplateAnswer answer() const;

private:
    TemplateAnswer answer_;
    QLineEdit* chord_ = nullptr;
    QLineEdit* teThickness_ = nullptr;
    QLineEdit* inset_ = nullptr;
    QLineEdit* spars_ = nullptr;
    QCheckBox* dxf_ = nullptr;
    QCheckBox* pdf_ = nullptr;
    QCheckBox* svg_ = nullptr;
};

}  // namespace vandrix
