// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/FoamCutExport.h"
#include "export/TemplateExport.h"
#include "model/Result.h"
#include "model/Scales.h"
#include "render/Overlay.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace vandrix {

// The name that stands for standard input among the inputs.
inline constexpr auto StandardInputName = "-";

// What the command writes for each input, and how.
struct ExportSettings {
    bool pdf = false;
    bool png = false;
    bool svg = false;
    bool dat = false;
    bool table = false;    // a row of measures for each input
    bool overlay = false;  // each input's section kept for the overlay (OverlayExport.h)
    std::int16_t language = 1;
    std::int16_t screenScale = FirstScreenScale;
    double printerScale = FirstPrinterScale;
    // The sheet's font.
    QString fontName;
    // True-size templates and rib sets.
    TemplateSettings templates;
    // A foam core's G-code and preview, of the sections, chords and features the templates take.
    FoamSettings foam;
    // The stem of the outputs of standard input (`-`).
    QString stdinName = QStringLiteral("stdin");
};

// One input and the files it becomes. An empty output path means that output is not wanted;
// a non-empty refusal ("refused: why") means the input is not exported at all.
struct ExportJob {
    QString input;
    QString pdf;
    QString png;
    QString svg;
    QString dat;
    TemplateOutputs templates;
    FoamOutputs foam;
    QString refusal;
};

// What one job reported, as lines "PATH: reason".
struct ExportReport {
    QStringList errors;
    QStringList warnings;
    QByteArray tableRow;                    // the input's CSV line, when the table is wanted
    std::optional<OverlaySection> overlay;  // the section read, when the overlay is wanted
};

// The jobs for the inputs, outputs named after the inputs in `outputDir`. An input that would
// write an output an earlier input writes, or that would replace one of the inputs (the same
// file by device and inode, whatever its name), is refused.
std::vector<ExportJob> PlanExports(const QStringList& inputs, const QString& outputDir,
                                   const ExportSettings& settings);

// Whether the table may be written to `path` (a file; standard output always may): not over an
// input or the rib tip, and not over an output of `jobs`.
Status CheckTablePath(const QString& path, const QStringList& inputs,
                      const std::vector<ExportJob>& jobs, const ExportSettings& settings);

// Whether the run's one output of `option` (such as "--table") may be written to the file
// `path`: not over an input or the rib tip, and not over an output of `jobs` or one of `others`.
// Fails with the usage error, "OPTION PATH: why".
Status CheckRunOutput(const QString& option, const QString& path, const QStringList& inputs,
                      const std::vector<ExportJob>& jobs, const ExportSettings& settings,
                      const QStringList& others = {});

// Writes `bytes` as every output is written: complete under a temporary name first, which a
// termination signal removes, then renamed to `path` (WriteBatchFile). Fails with the line to
// report, "PATH: reason".
Status WriteOutput(const QString& path, const QByteArray& bytes);

// Reads the input as the viewer reads it and writes its outputs, each under its final name only
// once it is complete. An input the viewer answers with a message gets no outputs.
ExportReport RunExport(const ExportJob& job, const ExportSettings& settings);

}  // namespace vandrix
