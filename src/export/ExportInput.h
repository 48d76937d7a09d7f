// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/DataFile.h"
#include "formats/SectionImport.h"

#include <QByteArray>
#include <QString>

namespace vandrix {

// The name that stands for standard input among the inputs.
inline constexpr char StandardInputName[] = "-";

// One read of an export input, from which all its outputs are made.
struct ExportInputRead {
    // A section file's import: Converted with its summary, Failed or Neither with the reason
    // (`data` then holds the message); NotSection for a data file.
    SectionImport::Kind kind = SectionImport::Kind::NotSection;
    SectionSummary summary;
    QString refusal;
    DataFileOutcome data;
    // The data file in the viewer's format as far as the viewer read it: the converted file of
    // a section file, or the bytes of a data file up to where its reader stopped.
    QByteArray dataFile;
};

// Reads `input` (`-`: standard input) once, pipes included, as the viewer reads a data file.
// A data file is read only as far as its header and points, a section file up to its size
// limit. `sourceName` names a converted section file in its header (the stem of its outputs for
// standard input).
ExportInputRead ReadExportInput(const QString& input, const QString& sourceName,
                                const DataFileReading& reading);

}  // namespace vandrix
