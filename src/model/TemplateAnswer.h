// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

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

}  // namespace vandrix
