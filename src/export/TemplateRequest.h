// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"
#include "model/Section.h"
#include "model/TemplateAnswer.h"

#include <QString>
#include <QStringList>

namespace vandrix {

// The answer and what it is about: the data file the window shows, the section's title and the
// font of the PDF's text.
struct TemplateRequest {
    TemplateAnswer answer;
    QString dataPath;
    QString title;
    QString fontName;
};

// The dialog's first answer: the chord at the printer scale, every format, the name proposed
// beside the data file and after it.
TemplateRequest StartingRequest(const QString& dataPath, const QString& title, double printerScale,
                                const QString& fontName);

// Whether every value of the answer can be taken; fails with one message for each that cannot,
// in the dialog's order.
Status CheckTemplateAnswer(const TemplateAnswer& answer);

// Writes the templates of the section the curves give, all or nothing. Nothing is written when a
// value cannot be taken (one message each) or the rib cannot be built (one message), and no
// file is left half written. Fails with one message for each problem.
Status WriteTemplates(const TemplateRequest& request, const SectionCurves& curves);

}  // namespace vandrix
