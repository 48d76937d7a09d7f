// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/TemplateExport.h"
#include "model/Conversions.h"
#include "model/Result.h"
#include "model/RibGeometry.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <optional>

namespace vandrix {

// vandrix-export's options for true-size templates and rib sets.
struct TemplateOptions {
    QCommandLineOption dxf{QStringLiteral("dxf"),
                           QStringLiteral("The outline at the chord as DXF in millimetres.")};
    QCommandLineOption pdf{QStringLiteral("template"),
                           QStringLiteral("The outline at the chord on A4 pages at 1:1 (PDF).")};
    QCommandLineOption svg{QStringLiteral("template-svg"),
                           QStringLiteral("The outline at the chord as SVG in millimetres.")};
    QCommandLineOption chord{
        QStringLiteral("chord"),
        QStringLiteral("Template chord in mm, %1 to %2 (default: the printer scale).")
            .arg(DoubleToText(MinTemplateChord), DoubleToText(MaxTemplateChord)),
        QStringLiteral("MM")};
    QCommandLineOption teThickness{
        QStringLiteral("te-thickness"),
        QStringLiteral("Open a thinner trailing edge to MM, blended in from 20 % of the chord."),
        QStringLiteral("MM")};
    QCommandLineOption inset{QStringLiteral("inset"),
                             QStringLiteral("Set the outline in by MM (sheeting)."),
                             QStringLiteral("MM")};
    QCommandLineOption spar{
        QStringLiteral("spar"),
        QStringLiteral("A spar notch WIDTH x DEPTH mm at POS % of the chord, from the upper "
                       "(default), lower or both surfaces; repeatable."),
        QStringLiteral("POS:WIDTH:DEPTH[:upper|lower|both]")};
    QCommandLineOption ribs{
        QStringLiteral("ribs"),
        QStringLiteral("A set of N ribs (N >= 2) from the one input (root) to --tip."),
        QStringLiteral("N")};
    QCommandLineOption tip{
        QStringLiteral("tip"),
        QStringLiteral("The tip section of a rib set or a foam core (for --gcode, default: the "
                       "root's)."),
        QStringLiteral("FILE")};
    QCommandLineOption tipChord{QStringLiteral("tip-chord"),
                                QStringLiteral("The tip's chord in mm (default: the root's)."),
                                QStringLiteral("MM")};

    explicit TemplateOptions(QCommandLineParser& parser);

    // Whether any template output was asked for (a rib set asks for its PDF by default).
    bool anyOutput(const QCommandLineParser& parser) const;
    bool wantsPdf(const QCommandLineParser& parser) const;

    // The settings for `inputs` inputs; or the usage error, one line. Without --chord the chord
    // is the printer scale (DefaultTemplateChord) when `printerScale` is known, and left for the
    // caller to set when it is not. `foamCore`: a foam core is wanted too, which takes the
    // chords, the tip and the features.
    Result<TemplateSettings> read(const QCommandLineParser& parser,
                                  std::optional<double> printerScale, qsizetype inputs,
                                  bool foamCore) const;
};

// The chord without --chord: the printer scale, which must be a template chord when `used` (a
// template or a foam core is wanted); or the usage error.
Result<double> DefaultTemplateChord(bool used, double printerScale);

}  // namespace vandrix
