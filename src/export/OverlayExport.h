// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/ExportJob.h"
#include "model/Result.h"
#include "render/Overlay.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace vandrix {

// The overlay draws the inputs of one run together in a picture of its own (render/Overlay.h):
// from 2 inputs up to one for each colour.
inline constexpr int MinOverlayInputs = 2;

// Whether an overlay of `inputs` may be asked for at `path`: an extension that names its format
// and a number of inputs it draws. Fails with the usage error.
Status CheckOverlayRequest(const QString& path, qsizetype inputs);

// Whether the overlay may be written to `path`: not over an input or the rib tip, and not over
// an output of `jobs` or the table (`tablePath`, when the table is written to a file). Fails
// with the usage error.
Status CheckOverlayPath(const QString& path, const QStringList& inputs,
                        const std::vector<ExportJob>& jobs, const ExportSettings& settings,
                        const QString& tablePath);

// Writes the overlay of the sections the run read, in the order of its inputs, to `path` in the
// format its extension names, complete under a temporary name first as every output is. When no
// input could be read there is nothing to draw, and nothing is written (each input's failure is
// reported with its job). Fails with the line to report, "PATH: reason".
Status ExportOverlay(const QString& path, const std::vector<OverlaySection>& sections,
                     std::int16_t scale);

}  // namespace vandrix
