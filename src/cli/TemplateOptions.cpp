// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateOptions.h"

#include "export/TemplateValues.h"
#include "model/Conversions.h"

namespace vandrix {

namespace {

// A value read by the shared rules into `to`; its usage error names the option.
template <typename T>
Status take(const QString& option, const QString& text, Result<T> (*read)(const QString&), T& to) {
    const Result<T> value = read(text);
    if (!value) {
        return Status::failure(ValueProblem(QStringLiteral("--") + option, text, value.error()));
    }
    to = value.value();
    return Status::success();
}

}  // namespace

TemplateOptions::TemplateOptions(QCommandLineParser& parser) {
    parser.addOptions({dxf, pdf, svg, chord, teThickness, inset, spar, ribs, tip, tipChord});
}

bool TemplateOptions::anyOutput(const QCommandLineParser& parser) const {
    return parser.isSet(dxf) || parser.isSet(pdf) || parser.isSet(svg) || parser.isSet(ribs);
}

bool TemplateOptions::wantsPdf(const QCommandLineParser& parser) const {
    return parser.isSet(pdf) || (parser.isSet(ribs) && !parser.isSet(dxf) && !parser.isSet(svg));
}

Result<TemplateSettings> TemplateOptions::read(const QCommandLineParser& parser,
                                               std::optional<double> printerScale, qsizetype inputs,
                                               bool foamCore) const {
    using Settings = Result<TemplateSettings>;
    TemplateSettings settings;
    settings.dxf = parser.isSet(dxf);
    settings.pdf = wantsPdf(parser);
    settings.svg = parser.isSet(svg);
    Status taken = Status::success();
    if (parser.isSet(chord)) {
        taken =
            take(QStringLiteral("chord"), parser.value(chord), &TemplateChordValue, settings.chord);
    } else if (printerScale) {
        const Result<double> chordTaken =
            DefaultTemplateChord(settings.any() || foamCore, *printerScale);
        if (!chordTaken) {
            return Settings::failure(chordTaken.error());
        }
        settings.chord = chordTaken.value();
    }
    if (taken && parser.isSet(teThickness)) {
        taken = take(QStringLiteral("te-thickness"), parser.value(teThickness),
                     &TemplateLengthValue, settings.features.teThickness);
    }
    if (taken && parser.isSet(inset)) {
        taken = take(QStringLiteral("inset"), parser.value(inset), &TemplateLengthValue,
                     settings.features.inset);
    }
    for (const QString& text : parser.values(spar)) {
        SparNotch notch;
        if (taken) {
            taken = take(QStringLiteral("spar"), text, &SparNotchValue, notch);
            settings.features.spars.push_back(notch);
        }
    }
    if (!taken) {
        return Settings::failure(taken.error());
    }
    if (!parser.isSet(ribs) && !foamCore) {
        if (parser.isSet(tip) || parser.isSet(tipChord)) {
            return Settings::failure(
                QStringLiteral("--tip and --tip-chord belong to --ribs N or --gcode"));
        }
        return Settings::success(std::move(settings));
    }
    if (parser.isSet(ribs)) {
        const Result<int> ribCount = TypedWholeNumber(parser.value(ribs));
        if (!ribCount || ribCount.value() < 2) {
            return Settings::failure(
                QStringLiteral("--ribs %1: a rib set has 2 ribs or more").arg(parser.value(ribs)));
        }
        settings.ribs = ribCount.value();
        if (!parser.isSet(tip)) {
            return Settings::failure(QStringLiteral("--ribs needs --tip FILE"));
        }
        if (inputs != 1) {
            return Settings::failure(
                QStringLiteral("--ribs takes exactly one input, the root; %1 given").arg(inputs));
        }
    }
    settings.tip = parser.value(tip);
    if (parser.isSet(tipChord)) {
        double tipChordValue = 0.0;
        taken = take(QStringLiteral("tip-chord"), parser.value(tipChord), &TemplateChordValue,
                     tipChordValue);
        if (!taken) {
            return Settings::failure(taken.error());
        }
        settings.tipChord = tipChordValue;
    }
    return Settings::success(std::move(settings));
}

Result<double> DefaultTemplateChord(bool used, double printerScale) {
    if (used && !TemplateChordInRange(printerScale)) {
        return Result<double>::failure(
            QStringLiteral("--chord: the default, the printer scale of %1 mm, is not %2")
                .arg(printerScale)
                .arg(TemplateChordRange()));
    }
    return Result<double>::success(printerScale);
}

}  // namespace vandrix
