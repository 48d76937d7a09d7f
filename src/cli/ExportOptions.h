// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/ExportJob.h"
#include "formats/SettingsFile.h"
#include "model/Result.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vandrix {

// What a vandrix-export command line asks for.
struct ExportRequest {
    // --help (or --help-all) and --version are answered alone; nothing else is read then.
    bool help = false;
    bool version = false;
    QStringList inputs;
    // What each input becomes and how, but for the sheet's font. Language and scales are the
    // command line's, else the defaults; without --chord the chord is the printer scale, set
    // here unless the program directory's Set.txt may still change that (WithProgramSettings).
    ExportSettings settings;
    // Which of them the command line gave: Set.txt does not change those.
    bool languageGiven = false;
    bool screenScaleGiven = false;
    bool printerScaleGiven = false;
    bool chordGiven = false;
    // --program-dir: its Set.txt and its Language.txt (for the sheet's font) are read.
    std::optional<QString> programDir;
    QString outputDir;
    std::optional<int> threads;  // one a core when not given
    QString tablePath;           // when settings.table; "-" is standard output
    QString overlayPath;         // when settings.overlay
};

// Reads a command line, the program's name first as main gets it: the request, or the usage
// error, one line.
Result<ExportRequest> ParseExportArguments(const QStringList& arguments);

// The request's settings with what a program directory's Set.txt gives in place of the
// defaults, and the chord that follows from the printer scale; or the usage error.
Result<ExportSettings> WithProgramSettings(const ExportRequest& request, const SettingsRead& read);

// What --help prints. Its usage line names the running application's program.
QString ExportHelpText();

}  // namespace vandrix
