// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"
#include "model/Section.h"

#include <QString>
#include <QStringList>

namespace vandrix {

// What the window's template dialog asks for, as typed.
struct TemplateAnswer {
    QString chord;        // mm
    QString teThickness;  // mm; empty or 0 for none
    QString inset;        // mm; empty or 0 for none
    QString spars;        // notches POS:WIDTH:DEPTH[:upper|lower|both], separated by blanks
    bool dxf = true;
    bool pdf = true;
    bool svg = true;
    // The name the templates are written next to: NAME.dxf, NAME-template.pdf and
    // NAME-template.svg, where a chosen ".dxf", ".pdf" or ".svg" and "-template" are not NAME.
    QString name;
};

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

// One message for each value of the answer that cannot be taken, in the dialog's order.
QStringList TemplateAnswerProblems(const TemplateAnswer& answer);

// Writes the templates of the section the curves give, all or nothing. Nothing is written when a
// value cannot be taken (one message each) or the rib cannot be built (one message), and no
// file is left half written. Fails with one message for each problem.
Status WriteTemplates(const TemplateRequest& request, const SectionCurves& curves);

}  // namespace vandrix
