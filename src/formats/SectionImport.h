#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

class QFileDevice;

namespace vandrix {

// Section files larger than this are refused (100,000 points with comments fit easily).
inline constexpr qint64 MaxSectionFileBytes = qint64{8} * 1024 * 1024;

struct SectionImport {
    enum class Kind {
        NotSection,  // a data file, or anything else: read it as it is
        Converted,   // `bytes` holds the native data file
        Failed,      // a section file that cannot make a section: `error` says why
    };
    Kind kind = Kind::NotSection;
    QByteArray bytes;
    QString error;
    bool consumed =
        false;  // input was read from the file (so it must be read again from its start)
};

// Converted native data-file bytes for a Selig or Lednicer file, or why not; NotSection for
// anything else (a file whose first line is a header line among them). sourcePath names the
// file in the converted header (its base name) and its notes; modified is its date.
SectionImport ImportSectionFile(const QByteArray& bytes, const QString& sourcePath,
                                const QDate& modified);

// The same from a file open for reading, which is read from where it stands up to the size
// limit: anything whose first line is a header line is NotSection without reading further, and
// a section file over the limit Failed. After NotSection with `consumed`, the file is to be
// read again from its start.
SectionImport ImportSectionFile(QFileDevice& file, const QString& sourcePath);

}  // namespace vandrix
