// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Result.h"
#include "model/Section.h"
#include "model/TemplateItem.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace vandrix {

// Which true-size templates to write, and how the rib is built.
struct TemplateSettings {
    bool dxf = false;
    bool pdf = false;
    bool svg = false;
    double chord = 0.0;  // mm
    RibFeatures features;
    int ribs = 0;  // a rib set of this many ribs from the input (root) to `tip`; 0 for none
    QString tip;
    std::optional<double> tipChord;  // the root's chord when not given

    bool any() const { return dxf || pdf || svg; }
};

// The files one input's templates go to; empty where not wanted.
struct TemplateOutputs {
    QString dxf;
    QString pdf;
    QString svg;

    bool any() const { return !dxf.isEmpty() || !pdf.isEmpty() || !svg.isEmpty(); }
};

// NAME.dxf, NAME-template.pdf and NAME-template.svg in `dir`; NAME-ribs.* for a rib set.
TemplateOutputs TemplateOutputNames(const QDir& dir, const QString& base,
                                    const TemplateSettings& settings);

// The tip section of a rib set or a foam core, read as the window reads a file.
Result<SectionCurves> ReadTipSection(const QString& path);

// Writes a finished file; fails with the lines to report.
using TemplateFileWriter = std::function<Status(const QString& path, const QByteArray& bytes)>;

// Builds the templates of the section read from `input`, labelled `name` (SectionName), and
// writes each wanted file through `write`. Fails with one line to report for each problem:
// "INPUT: reason" when the rib cannot be built (nothing is written then), "PATH: reason" for a
// PDF that cannot be made, or a writer's lines.
Status ExportTemplates(const QString& input, const SectionCurves& section, const QString& name,
                       const TemplateSettings& settings, const TemplateOutputs& outputs,
                       const QString& fontName, const TemplateFileWriter& write);

}  // namespace vandrix
