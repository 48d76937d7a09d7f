#pragma once

#include "model/SectionOutline.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace vandrix {

enum class SectionFormat { Selig, Lednicer };

inline constexpr int MaxSectionPoints = 100000;

// The points of a section file as written. Selig: one run from one trailing-edge end round the
// leading edge to the other. Lednicer: the two surfaces, each as the file lists it.
struct SectionText {
    SectionFormat format = SectionFormat::Selig;
    QString name;  // the name line, decoded; empty when the file starts with numbers
    std::vector<SectionPoints> runs;
    int pointCount = 0;
};

struct SectionTextOutcome {
    enum class Kind { NotSection, Read, Failed };
    Kind kind = Kind::NotSection;
    SectionText text;
    QString error;  // why a file that looks like a section file cannot make one
};

// Reads a Selig or Lednicer file from its bytes. A file whose first line holds two or more
// colons, or whose first lines are not numbers after at most one name line, is NotSection.
SectionTextOutcome ReadSectionText(const QByteArray& bytes);

// A name line in UTF-8, Shift-JIS (CP932) or Windows-1252, whichever its bytes show; trimmed,
// control characters dropped, at most MaxNameChars characters.
inline constexpr qsizetype MaxNameChars = 200;
QString DecodeNameLine(const QByteArray& line);

}  // namespace vandrix
