// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Section.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

class QIODevice;

namespace vandrix {

// The first fifteen lines of a data file: header lines fill these pairs (1-based); 0 marks a
// line of free text, read and ignored.
inline constexpr std::array<int, 15> DataFileHeaderLayout = {2, 3, 1, 4, 5, 0, 6, 7,
                                                             8, 0, 0, 0, 0, 0, 0};

// What one read of a data file brings: the label captions and value texts to set (index 0 is
// pair 1), the messages to show afterwards, in order, whether the header stopped at a line that
// is no header line (readStop 1; nothing when the file's contents were never reached), and the
// curves (slots 0..200).
struct DataFileOutcome {
    std::array<std::optional<QString>, HeaderPairCount> labels;
    std::array<std::optional<QString>, HeaderPairCount> values;
    QStringList messages;
    std::optional<std::int16_t> readStop;
    SectionCurves curves;
    // How many bytes of the file the read used: the data file as the viewer sees it.
    qint64 bytesUsed = 0;
};

// How to read: the language whose labels are taken, the message for a file that cannot be used,
// and the curves as they stand before the read (a number that cannot be read leaves its slot as
// it was).
struct DataFileReading {
    std::int16_t language = 1;
    QString unusableMessage;
    SectionCurves curves;
};

// The message for a data file that cannot be used while no language file has supplied one.
QString BuiltInUnusableMessage();

// Reads a data file from a device that is already open for reading.
DataFileOutcome ReadDataFileFrom(QIODevice& device, const DataFileReading& reading);

// Reads the file at `path`: a data file as it is, a Selig, Lednicer or MSES section file as the
// data file it converts to. The file is closed when this returns.
DataFileOutcome ReadDataFileAt(const QString& path, const DataFileReading& reading);

}  // namespace vandrix
