// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/SectionFile.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vandrix {

// One input's row in the table of measures: a converted section file, a data file measured
// from its curves, or a refused file with its reason.
struct SectionTableRow {
    QString file;
    QString name;
    QString format;
    int points = 0;
    std::optional<SectionMeasures> measures;
    QStringList warnings;
    QString refusal;
};

// The row of an input read as `file`: a converted section file with what its conversion found, a
// data file measured from its two curves (as a Selig outline through them), or the refusal of an
// input that could not be read.
SectionTableRow TableRow(const QString& file, const SectionRead& read);

// The figures of measures as the table writes them, in this order: the thickness and its
// position, the camber and its position, the leading-edge radius and the trailing-edge gap (in
// percent of the chord, 3 decimals), the zero-lift angle (degrees, 3 decimals) and the moment
// coefficient about the quarter chord (4 decimals).
QStringList SectionTableFigures(const SectionMeasures& measures);

// The header row and one row, as CSV lines (RFC 4180: fields with commas, quotes or line breaks
// quoted, CRLF after each line). Measures in percent of the chord; after the refusal, the
// zero-lift angle in degrees and the moment coefficient about the quarter chord.
QByteArray SectionTableHeader();
QByteArray SectionTableLine(const SectionTableRow& row);

// A CSV field, quoted when it must be.
QString CsvField(const QString& text);

}  // namespace vandrix
