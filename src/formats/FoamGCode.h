// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/FoamCut.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace vandrix {

// A four-axis hot-wire program as LinuxCNC, Mach3 and the four-axis GRBL builds read it.
struct FoamProgram {
    QStringList header;  // comment lines, each as one comment
    // The letters of the left tower's h and v and the right tower's h and v.
    QString axes = QStringLiteral("XYUV");
    QString wireOn;        // written before the first move; empty for none
    QString wireOff;       // written after the last
    double preheat = 0.0;  // seconds of dwell after the wire is switched on
    double feed = 0.0;     // mm/min of the first move, to the start
    TowerPosition start;
    std::vector<WireMove> moves;  // in inverse time
};

// The program as text: the header, millimetres (G21), absolute (G90), the wire switched on (and
// the dwell), the move to the start in units per minute (G94), the moves in inverse time (G93,
// an F on every G1), then G94, the wire switched off and M2. Numbers with 4 decimals.
QByteArray FoamGCode(const FoamProgram& program);

// A comment as G-code takes it, on one line: parentheses become brackets (a parenthesis would
// end it), characters outside printable ASCII become "?".
QByteArray GCodeComment(const QString& text);

}  // namespace vandrix
