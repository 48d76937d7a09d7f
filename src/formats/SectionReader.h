// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/SectionText.h"
#include "model/Result.h"
#include "model/Section.h"
#include "model/SectionOutline.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace vandrix {

// The format's name as the converted file and the table give it.
QString SectionFormatName(SectionFormat format);

inline constexpr int MaxSectionPoints = 100000;

// The points of a section file as written. Selig and MSES: one run from one trailing-edge end
// round the leading edge to the other. Lednicer: the two surfaces, each as the file lists it.
struct SectionText {
    SectionFormat format = SectionFormat::Selig;
    QString name;  // the first text line, decoded; empty when the file starts with numbers
    std::vector<SectionPoints> runs;
    int pointCount = 0;
    int noteLines = 0;  // non-blank lines after the coordinates
};

// What a file's text is: a data file (its first line is a header line), a section file (a line
// holds a pair of numbers), or neither.
enum class TextKind { DataFile, SectionFile, Neither };

// Why a file is neither a data file nor a section file.
QString NeitherReason();

// Whether the first line (after a UTF-8 byte-order mark) is a data-file header line: two labels
// and a value, colon-separated.
bool StartsWithHeaderLine(const QByteArray& text);

// What the text (as RecodedText leaves it) is.
TextKind KindOfText(const QByteArray& text);

// Reads a Selig, Lednicer or MSES file from its bytes (recoded where they need it). Blank and
// text lines before the numbers are passed over (the first text line is the name); the first
// text line after them ends the outline, and it and what follows are notes. Fails with why the
// file makes no section (NeitherReason for a text that is no section file).
Result<SectionText> ReadSectionText(const QByteArray& bytes);

}  // namespace vandrix
