// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/TemplateExport.h"
#include "model/FoamCut.h"

#include <QDir>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <optional>

namespace vandrix {

// A foam core's G-code and its preview: the machine, where the sections lie on the faces, the
// wire. The sections, their chords and the build features are the templates' (--tip,
// --chord, --tip-chord, --te-thickness, --inset).
struct FoamSettings {
    bool gcode = false;
    FoamMachine machine;
    QPointF origin{20.0, 30.0};
    double sweep = 0.0;
    double washout = 0.0;
    double kerf = 0.0;
    std::optional<double> tipKerf;  // the root's when not given
    double leadIn = 10.0;
    double feed = 200.0;
    std::optional<QSizeF> travel;  // h and v; each tower from 0
    QString axes = QStringLiteral("XYUV");
    QString wireOn;
    QString wireOff;
    double preheat = 0.0;
};

// The files one input's cut goes to; empty where not wanted.
struct FoamOutputs {
    QString gcode;
    QString preview;

    bool any() const { return !gcode.isEmpty() || !preview.isEmpty(); }
};

// NAME.ngc and NAME-gcode.svg in `dir`.
FoamOutputs FoamOutputNames(const QDir& dir, const QString& base, const FoamSettings& settings);

// Plans the cut of the section read from `input` (the root, named `name`) to the tip the
// templates name, or to itself, and writes the program and its preview through `write`. Fails
// with one line for each problem: "INPUT: reason" when the cut cannot be made or leaves the
// machine's travel (nothing is written then), or the writer's lines.
Status ExportFoamCut(const QString& input, const SectionCurves& root, const QString& name,
                     const TemplateSettings& templates, const FoamSettings& settings,
                     const FoamOutputs& outputs, const TemplateFileWriter& write);

}  // namespace vandrix
