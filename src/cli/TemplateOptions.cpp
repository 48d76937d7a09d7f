// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemplateOptions.h"

#include "export/TemplateValues.h"

namespace vandrix {

namespace {

struct Usage {
    QString reason;
};

// A value read by the shared rules; its usage error names the option.
template <typename T>
T take(const QString& option, const QString& text, Result<T> (*read)(const QString&)) {
    const Result<T> value = read(text);
    if (!value) {
        throw Usage{ValueProblem(QStringLiteral("--") + option, text, value.error())};
    }
    return value.value();
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
                                               double printerScale, qsizetype inputs) const {
    TemplateSettings settings;
    settings.dxf = parser.isSet(dxf);
    settings.pdf = wantsPdf(parser);
    settings.svg = parser.isSet(svg);
    try {
        if (parser.isSet(chord)) {
            settings.chord =
                take(QStringLiteral("chord"), parser.value(chord), &TemplateChordValue);
        } else {
            settings.chord = printerScale;
            if (anyOutput(parser) &&
                (printerScale < MinTemplateChord || printerScale > MaxTemplateChord)) {
                throw Usage{QStringLiteral("--chord: the default, the printer scale of %1 mm, is "
                                           "not 1 to 5,000 mm")
                                .arg(printerScale)};
            }
        }
        if (parser.isSet(teThickness)) {
            settings.features.teThickness = take(QStringLiteral("te-thickness"),
                                                 parser.value(teThickness), &TemplateLengthValue);
        }
        if (parser.isSet(inset)) {
            settings.features.inset =
                take(QStringLiteral("inset"), parser.value(inset), &TemplateLengthValue);
        }
        for (const QString& text : parser.values(spar)) {
            settings.features.spars.push_back(take(QStringLiteral("spar"), text, &SparNotchValue));
        }
        if (parser.isSet(ribs)) {
            bool ok = false;
            settings.ribs = parser.value(ribs).toInt(&ok);
            if (!ok || settings.ribs < 2) {
                throw Usage{QStringLiteral("--ribs %1: a rib set has 2 ribs or more")
                                .arg(parser.value(ribs))};
            }
            if (!parser.isSet(tip)) {
                throw Usage{QStringLiteral("--ribs needs --tip FILE")};
            }
            if (inputs != 1) {
                throw Usage{QStringLiteral("--ribs takes exactly one input, the root; %1 given")
                                .arg(inputs)};
            }
            settings.tip = parser.value(tip);
            if (parser.isSet(tipChord)) {
                settings.tipChord =
                    take(QStringLiteral("tip-chord"), parser.value(tipChord), &TemplateChordValue);
            }
        } else if (parser.isSet(tip) || parser.isSet(tipChord)) {
            throw Usage{QStringLiteral("--tip and --tip-chord belong to --ribs N")};
        }
    } catch (const Usage& usage) {
        return Result<TemplateSettings>::failure(usage.reason);
    }
    return Result<TemplateSettings>::success(std::move(settings));
}

}  // namespace vandrix
