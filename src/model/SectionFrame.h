// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Result.h"
#include "SectionOutline.h"

#include <QString>

namespace vandrix {

// An outline in the normalised frame: the leading edge at (0, 0), the middle of the trailing
// edge at (1, 0).
struct SectionFrame {
    SectionPoints points;  // the run without repeated points, the leading edge among them
    int nose = 0;          // the index of the leading edge in points; it lies exactly at (0, 0)
    bool kept = false;     // the run was drawn in its designer's frame, which it keeps
    QString change;        // what normalising did, in words
};

// Whether a run is drawn in its designer's frame: a point (the two ends aside) within 0.0005 of
// (0, 0) and the middle of its trailing edge within 0.0005 of (1, 0).
bool InDesignerFrame(const SectionPoints& run);

// Brings a run (from one trailing-edge end round the leading edge to the other) to the
// normalised frame. A run in its designer's frame keeps its point nearest (0, 0) as the leading
// edge; any other is first scaled by a power of two to a size near 1 and takes its nose, the
// point of the smoothed outline farthest from the middle of the trailing edge. Repeated points
// are dropped first.
Result<SectionFrame> NormaliseFrame(const SectionPoints& run);

}  // namespace vandrix
