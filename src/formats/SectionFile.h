// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/InputFile.h"
#include "model/Section.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

class QIODevice;

namespace vandrix {

// What becomes of a file that is neither a data file nor a section file: the window reads it as
// a damaged data file (and says so); the export refuses it.
enum class NeitherRule { ReadAsDataFile, Refuse };

// How to read an input.
struct SectionReading {
    // The curves as they stand before the read: a number of a data file that cannot be read
    // leaves its slot as it was.
    SectionCurves curves;
    // The message for a data file that cannot be used.
    QString unusableMessage;
    FifoRule fifo = FifoRule::Refuse;
    NeitherRule neither = NeitherRule::ReadAsDataFile;
    // What a converted section file names as its source (its base name, and the file it came
    // from); empty: the input's own name.
    QString sourceName;
    // Whether the data file's bytes are wanted (SectionRead::dataFile); a converted section file
    // always gives its own.
    bool keepBytes = false;
    // The name came through Qt, which turns bytes that are not UTF-8 into U+FFFD: such a name
    // that cannot be opened is said to be no UTF-8.
    bool lossyName = false;
};

// What one read of an input brings: the section as far as the read reached it (labels and values
// not reached are empty, curves not reached as they stood), which pairs it reached, and what the
// user must be told. A clean read has no messages.
struct SectionRead {
    Section section;
    std::array<bool, HeaderPairCount> labelRead{};
    std::array<bool, HeaderPairCount> valueRead{};
    // 1 when the header stopped at a line that is no header line, 0 when it did not; nothing
    // when the read never reached the file's contents.
    std::optional<std::int16_t> readStop;
    QStringList messages;
    // For an input refused as a section file, or as neither kind: the reason alone.
    QString refusal;
    // The data file as the viewer reads it: the converted file of a section file, or the bytes of
    // a data file up to where its reader stopped (when SectionReading::keepBytes asks for them).
    QByteArray dataFile;
    // How many bytes of the data file the read used.
    qint64 bytesUsed = 0;

    bool clean() const { return messages.isEmpty(); }
};

// The message for a data file that cannot be used while no language file has supplied one.
QString BuiltInUnusableMessage();

// Reads the input at `path` (its bytes as PathBytes gives them): a data file as it is, a Selig,
// Lednicer or MSES section file as the data file it converts to. What is not a regular file
// (pipes by `how.fifo`) is refused before anything is read. The file is closed on return.
SectionRead ReadSection(const QString& path, const SectionReading& how);

// The same from an open descriptor (standard input), which is checked as a path is and left
// open; `name` names it in messages.
SectionRead ReadSection(int descriptor, const QString& name, const SectionReading& how);

// The same from a device open for reading.
SectionRead ReadSection(QIODevice& device, const QString& name, const SectionReading& how);

// The name a section goes by: its title (the first value), else the base name of the file it was
// read from.
QString SectionName(const QString& title, const QString& path);

}  // namespace vandrix
