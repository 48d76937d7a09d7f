// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ByteDevice.h"
#include "formats/HeaderLine.h"
#include "session/OpenFlow.h"

namespace vandrix::testing {

// Reads a data file's bytes into `state` as the reader reads an open file.
inline SectionRead readDataFileBytes(const QByteArray& bytes, AppState& state) {
    return readFromBytes(bytes, [&](QIODevice& device) { return ReadDataFileFrom(device, state); });
}

// The caption the window gives label k of a read, in the state's language.
inline QString shownLabel(const SectionRead& read, std::size_t k, const AppState& state) {
    return LabelIn(read.section.labels.at(k), state.Language);
}

// Sets every point slot of both curves, so that what a read leaves alone shows.
inline void fillPoints(AppState& state, double value) {
    for (int c = 0; c < CurveCount; ++c) {
        for (int p = 0; p < PointSlots; ++p) {
            state.PointX(c, p) = value;
            state.PointY(c, p) = value;
        }
    }
}

// Whether every point slot of both curves holds `value`.
inline bool allPointsAre(const AppState& state, double value) {
    for (int c = 0; c < CurveCount; ++c) {
        for (int p = 0; p < PointSlots; ++p) {
            if (state.PointX(c, p) != value || state.PointY(c, p) != value) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace vandrix::testing
