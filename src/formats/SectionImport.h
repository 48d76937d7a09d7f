// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"
#include "model/Section.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace vandrix {

// Section files larger than this are refused (100,000 points with comments fit easily).
inline constexpr qint64 MaxSectionFileBytes = qint64{8} * 1024 * 1024;

// How much of a file's start tells a data file from a section file.
inline constexpr qint64 FirstLinePeek = 4096;

// Whether a file's start (its first FirstLinePeek bytes) shows a data file: its first line is
// a data-file header line. Anything else goes to the section reader.
bool DataFileStart(const QByteArray& start);

// A section file converted: the native data file it becomes, and what the conversion found in
// `section` (its title, format, points in the file, measures and warnings). The labels, values
// and curves the program shows are those read back from `dataFile`, at its decimals.
struct ConvertedSection {
    QByteArray dataFile;
    Section section;
};

// The data file for the Selig, Lednicer or MSES file in `bytes` (a file's start, read up to one
// byte past MaxSectionFileBytes: a file over the limit is refused for its size), or why it makes
// no section. The caller has seen that the bytes hold a section file (KindOfText). `sourcePath`
// names the file in the converted header (its base name) and its notes; `modified` is its date.
Result<ConvertedSection> ConvertSection(const QByteArray& bytes, const QString& sourcePath,
                                        const QDate& modified);

}  // namespace vandrix
