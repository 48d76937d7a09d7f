// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/SectionGeometry.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

class QFileDevice;

namespace vandrix {

// Section files larger than this are refused (100,000 points with comments fit easily).
inline constexpr qint64 MaxSectionFileBytes = qint64{8} * 1024 * 1024;

// What a converted section file shows in the table of measures.
struct SectionSummary {
    QString name;
    QString format;
    int points = 0;  // coordinate pairs in the file
    SectionMeasures measures;
    QStringList warnings;
};

struct SectionImport {
    enum class Kind {
        NotSection,  // a data file (its first line is a header line): read it as it is, or
                     // from `bytes` when they are set (a UTF-16 or CR-only file, recoded)
        Converted,   // `bytes` holds the native data file
        Failed,      // a section file that cannot make a section: `error` says why
        Neither,     // neither a data file nor a section file: `error` says why
    };
    Kind kind = Kind::NotSection;
    QByteArray bytes;
    QString error;
    bool consumed =
        false;  // input was read from the file (so it must be read again from its start)
    SectionSummary summary;  // for Converted
};

// How much of a file's start tells a data file from a section file.
inline constexpr qint64 FirstLinePeek = 4096;

// Whether a file's start (its first FirstLinePeek bytes) shows a data file: its first line is
// a data-file header line. Anything else goes to the section reader.
bool DataFileStart(const QByteArray& start);

// The import of a file's first bytes, read up to one byte past the size limit: a section file
// over the limit is Failed for its size; a data file, or a file that is neither, is as
// ImportSectionFile says.
SectionImport ImportSectionStart(QByteArray bytes, const QString& sourcePath,
                                 const QDate& modified);

// Converted native data-file bytes for a Selig, Lednicer or MSES file, or why not; NotSection
// for a data file. sourcePath names the file in the converted header (its base name) and its
// notes; modified is its date.
SectionImport ImportSectionFile(const QByteArray& bytes, const QString& sourcePath,
                                const QDate& modified);

// The same from a device open for reading, which is read from where it stands up to the size
// limit: a file whose first line is a header line (in UTF-8 or Shift-JIS) is NotSection without
// reading further, and a section file over the limit Failed. After NotSection with `consumed`,
// the file is to be read again from its start. `modified` is the file's date.
SectionImport ImportSectionFile(QIODevice& device, const QString& sourcePath,
                                const QDate& modified);

}  // namespace vandrix
