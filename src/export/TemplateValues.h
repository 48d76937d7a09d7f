// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"
#include "model/RibGeometry.h"

#include <QString>

namespace vandrix {

// The template values as typed, read alike by vandrix-export and the window. A failure is the
// reason only; each caller names the value it read, "SUBJECT TEXT: reason" (ValueProblem).

// A chord in millimetres, MinTemplateChord to MaxTemplateChord.
Result<double> TemplateChordValue(const QString& text);
// Whether a chord in millimetres is within TemplateChordRange().
Status TemplateChordInRange(double chord);
// The chord range as messages give it: "1 to 5,000 mm".
QString TemplateChordRange();
// A length of 0 mm or more (0 leaves the feature out).
Result<double> TemplateLengthValue(const QString& text);
// A spar notch, POS:WIDTH:DEPTH[:upper|lower|both].
Result<SparNotch> SparNotchValue(const QString& text);

QString ValueProblem(const QString& subject, const QString& text, const QString& reason);

}  // namespace vandrix
