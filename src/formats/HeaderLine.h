// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"
#include "model/Section.h"

#include <QString>
#include <QStringView>

#include <cstdint>

namespace vandrix {

// 1-based position of the last occurrence of the one-character searchChar in searchText, or 0.
// Character codes compare exactly; a searchChar that is not one character never matches.
int LastPos(QStringView searchText, QStringView searchChar);

// Both labels of a header line "label2:label1:value", or why it is none (fewer than two colons).
Result<HeaderLabel> HeaderLabels(QStringView headerLine);

// The label a language shows: 2 takes the first field, any other number the second.
const QString& LabelIn(const HeaderLabel& label, std::int16_t language);

// The label of a header line for the given language, or why it is none (the header stops there).
Result<QString> GetLabel(QStringView headerLine, std::int16_t language);

// Everything after the second colon of a header line, further colons and blanks included.
QString GetValue(QStringView headerLine);

}  // namespace vandrix
