// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/SectionFile.h"

#include <array>

class QIODevice;

namespace vandrix {

// The first fifteen lines of a data file: header lines fill these pairs (1-based); 0 marks a
// line of free text, read and ignored.
inline constexpr std::array<int, 15> DataFileHeaderLayout = {2, 3, 1, 4, 5, 0, 6, 7,
                                                             8, 0, 0, 0, 0, 0, 0};

// Reads a data file (the native layout) from a device that is already open for reading: the
// header pairs in file order until a line that is no header line stops them, then 804 numbers
// into the curves (curve 0 from point 200 down to 0, then curve 1 from 0 up to 200). A file that
// ends before them, or a number that cannot be read, gives `how.unusableMessage`.
SectionRead ReadDataFileFrom(QIODevice& device, const SectionReading& how);

}  // namespace vandrix
