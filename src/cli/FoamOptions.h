// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/FoamCutExport.h"
#include "export/TemplateExport.h"
#include "model/Conversions.h"
#include "model/Result.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace vandrix {

// vandrix-export's options for a foam core's G-code. The sections, chords and build features
// are the templates' options.
struct FoamOptions {
    QCommandLineOption gcode{
        QStringLiteral("gcode"),
        QStringLiteral("A foam core cut by a hot wire on a four-axis machine, from the one input "
                       "(the root) to --tip: the program NAME.ngc and its preview "
                       "NAME-gcode.svg. Needs --span and --towers.")};
    QCommandLineOption span{QStringLiteral("span"),
                            QStringLiteral("The core's span in mm, root face to tip face."),
                            QStringLiteral("MM")};
    QCommandLineOption towers{
        QStringLiteral("towers"),
        QStringLiteral("The distance in mm between the two towers' planes, along the wire."),
        QStringLiteral("MM")};
    QCommandLineOption rootAt{QStringLiteral("root-at"),
                              QStringLiteral("The root face's distance in mm from the root's "
                                             "tower (default: the core centred between them)."),
                              QStringLiteral("MM")};
    QCommandLineOption rootSide{
        QStringLiteral("root-side"),
        QStringLiteral("The root's tower: left (the default) or right (the other wing half)."),
        QStringLiteral("left|right")};
    QCommandLineOption origin{
        QStringLiteral("origin"),
        QStringLiteral("The root's leading edge on its face, h:v in mm (default 20:30)."),
        QStringLiteral("H:V")};
    QCommandLineOption sweep{
        QStringLiteral("sweep"),
        QStringLiteral("The tip's leading edge this many mm further along h (default 0)."),
        QStringLiteral("MM")};
    QCommandLineOption washout{
        QStringLiteral("washout"),
        QStringLiteral("The tip turned nose down by DEG about the middle of its trailing edge "
                       "(default 0, at most %1 either way).")
            .arg(DoubleToText(MaxWashout)),
        QStringLiteral("DEG")};
    QCommandLineOption kerf{QStringLiteral("kerf"),
                            QStringLiteral("The slot the wire melts, 0 to %1 mm (default 0): the "
                                           "wire runs half of it outside the root's outline.")
                                .arg(DoubleToText(MaxKerf)),
                            QStringLiteral("MM")};
    QCommandLineOption tipKerf{QStringLiteral("tip-kerf"),
                               QStringLiteral("The kerf at the tip face (default: --kerf)."),
                               QStringLiteral("MM")};
    QCommandLineOption leadIn{QStringLiteral("lead-in"),
                              QStringLiteral("Start and end the cut MM behind the middle of the "
                                             "trailing edge (default 10)."),
                              QStringLiteral("MM")};
    QCommandLineOption feed{
        QStringLiteral("feed"),
        QStringLiteral("The wire's speed at the faster face in mm/min (default 200)."),
        QStringLiteral("MM/MIN")};
    QCommandLineOption travel{QStringLiteral("travel"),
                              QStringLiteral("Each tower's travel h:v in mm from 0; a cut beyond "
                                             "it fails its input."),
                              QStringLiteral("H:V")};
    QCommandLineOption axes{QStringLiteral("axes"),
                            QStringLiteral("The axis letters of the left tower's h and v, then "
                                           "the right tower's (default XYUV; e.g. XYZA)."),
                            QStringLiteral("LETTERS")};
    QCommandLineOption wireOn{
        QStringLiteral("wire-on"),
        QStringLiteral("The code that switches the wire on, before the first move (e.g. "
                       "\"M3 S400\")."),
        QStringLiteral("CODE")};
    QCommandLineOption wireOff{
        QStringLiteral("wire-off"),
        QStringLiteral("The code that switches the wire off, after the last move (e.g. M5)."),
        QStringLiteral("CODE")};
    QCommandLineOption preheat{
        QStringLiteral("preheat"),
        QStringLiteral("Seconds to dwell (G4) once the wire is switched on (default 0)."),
        QStringLiteral("SECONDS")};

    explicit FoamOptions(QCommandLineParser& parser);

    bool wanted(const QCommandLineParser& parser) const { return parser.isSet(gcode); }

    // The settings for `inputs` inputs and the templates' `features`; or the usage error, one
    // line.
    Result<FoamSettings> read(const QCommandLineParser& parser, qsizetype inputs,
                              const RibFeatures& features) const;
};

}  // namespace vandrix
