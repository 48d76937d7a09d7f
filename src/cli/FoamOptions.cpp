// SPDX-License-Identifier: GPL-3.0-or-later
#include "FoamOptions.h"

#include "export/TemplateValues.h"
#include "model/Conversions.h"

#include <QSet>

#include <array>
#include <cmath>
#include <functional>

namespace vandrix {

namespace {

// Each value's reader: the value, or the reason alone.
Result<double> anyNumber(const QString& text) {
    return TypedNumber(text);
}

Result<double> positiveLength(const QString& text) {
    const Result<double> value = TypedNumber(text);
    return value && value.value() > 0.0
               ? value
               : Result<double>::failure(QStringLiteral("not a length above 0 mm"));
}

Result<double> kerfValue(const QString& text) {
    const Result<double> value = TypedNumber(text);
    return value && value.value() >= 0.0 && value.value() <= MaxKerf
               ? value
               : Result<double>::failure(
                     QStringLiteral("a kerf is 0 to %1 mm").arg(DoubleToText(MaxKerf)));
}

Result<double> washoutValue(const QString& text) {
    const Result<double> value = TypedNumber(text);
    return value && std::abs(value.value()) <= MaxWashout
               ? value
               : Result<double>::failure(
                     QStringLiteral("a washout is at most %1 degrees either way")
                         .arg(DoubleToText(MaxWashout)));
}

Result<double> feedValue(const QString& text) {
    const Result<double> value = TypedNumber(text);
    return value && value.value() > 0.0
               ? value
               : Result<double>::failure(QStringLiteral("not a speed above 0 mm/min"));
}

Result<double> secondsValue(const QString& text) {
    const Result<double> value = TypedNumber(text);
    return value && value.value() >= 0.0
               ? value
               : Result<double>::failure(QStringLiteral("not a time of 0 s or more"));
}

// H:V as two numbers, each accepted by `valid`.
Result<QPointF> pairValue(const QString& text, const std::function<bool(double)>& valid,
                          const QString& reason) {
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() == 2) {
        const Result<double> h = TypedNumber(parts[0]);
        const Result<double> v = TypedNumber(parts[1]);
        if (h && v && valid(h.value()) && valid(v.value())) {
            return Result<QPointF>::success({h.value(), v.value()});
        }
    }
    return Result<QPointF>::failure(reason);
}

Result<QPointF> originValue(const QString& text) {
    return pairValue(
        text, [](double) { return true; }, QStringLiteral("not two numbers H:V"));
}

Result<QSizeF> travelValue(const QString& text) {
    const Result<QPointF> pair = pairValue(
        text, [](double v) { return v > 0.0; }, QStringLiteral("not two lengths above 0 mm, H:V"));
    return pair ? Result<QSizeF>::success({pair.value().x(), pair.value().y()})
                : Result<QSizeF>::failure(pair.error());
}

Result<RootSide> rootSideValue(const QString& text) {
    const QString side = text.trimmed().toLower();
    if (side == QLatin1String("left")) {
        return Result<RootSide>::success(RootSide::Left);
    }
    if (side == QLatin1String("right")) {
        return Result<RootSide>::success(RootSide::Right);
    }
    return Result<RootSide>::failure(QStringLiteral("not left or right"));
}

Result<QString> axesValue(const QString& text) {
    const QString letters = text.trimmed().toUpper();
    const QSet<QChar> distinct(letters.begin(), letters.end());
    const bool axisLetters = std::all_of(letters.begin(), letters.end(), [](QChar c) {
        return QStringLiteral("XYZABCUVW").contains(c);
    });
    if (letters.size() != 4 || distinct.size() != 4 || !axisLetters) {
        return Result<QString>::failure(QStringLiteral("not four distinct letters of XYZABCUVW"));
    }
    return Result<QString>::success(letters);
}

// A code written as a line of the program: printable ASCII, so that every controller reads it.
Result<QString> codeValue(const QString& text) {
    const bool printable = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() < 0x7f;
    });
    return printable ? Result<QString>::success(text.trimmed())
                     : Result<QString>::failure(QStringLiteral("not one line of printable ASCII"));
}

// The option's value read by `from` into `to` when given; or its usage error.
template <typename T, typename To>
Status take(const QCommandLineParser& parser, const QCommandLineOption& option,
            Result<T> (*from)(const QString&), To& to) {
    if (!parser.isSet(option)) {
        return Status::success();
    }
    const QString text = parser.value(option);
    const Result<T> value = from(text);
    if (!value) {
        return Status::failure(
            ValueProblem(QStringLiteral("--") + option.names().constFirst(), text, value.error()));
    }
    to = value.value();
    return Status::success();
}

}  // namespace

FoamOptions::FoamOptions(QCommandLineParser& parser) {
    parser.addOptions({gcode, span, towers, rootAt, rootSide, origin, sweep, washout, kerf, tipKerf,
                       leadIn, feed, travel, axes, wireOn, wireOff, preheat});
}

Result<FoamSettings> FoamOptions::read(const QCommandLineParser& parser, qsizetype inputs,
                                       const RibFeatures& features) const {
    using Settings = Result<FoamSettings>;
    FoamSettings settings;
    const std::array<const QCommandLineOption*, 16> values = {
        &span,    &towers, &rootAt, &rootSide, &origin, &sweep,  &washout, &kerf,
        &tipKerf, &leadIn, &feed,   &travel,   &axes,   &wireOn, &wireOff, &preheat};
    if (!wanted(parser)) {
        for (const QCommandLineOption* option : values) {
            if (parser.isSet(*option)) {
                return Settings::failure(
                    QStringLiteral("--%1 belongs to --gcode").arg(option->names().constFirst()));
            }
        }
        return Settings::success(std::move(settings));
    }
    settings.gcode = true;
    if (!features.spars.empty()) {
        return Settings::failure(
            QStringLiteral("--spar does not go with --gcode: a core is cut in one pass"));
    }
    if (inputs != 1) {
        return Settings::failure(
            QStringLiteral("--gcode takes exactly one input, the root; %1 given").arg(inputs));
    }
    if (!parser.isSet(span) || !parser.isSet(towers)) {
        return Settings::failure(QStringLiteral("--gcode needs --span MM and --towers MM"));
    }
    FoamMachine& machine = settings.machine;
    double tipKerfValue = 0.0;
    double rootAtValue = 0.0;
    const std::array<std::function<Status()>, 16> steps = {
        [&] { return take(parser, span, &positiveLength, machine.span); },
        [&] { return take(parser, towers, &positiveLength, machine.towers); },
        [&] { return take(parser, rootAt, &TemplateLengthValue, rootAtValue); },
        [&] { return take(parser, rootSide, &rootSideValue, machine.rootSide); },
        [&] { return take(parser, origin, &originValue, settings.origin); },
        [&] { return take(parser, sweep, &anyNumber, settings.sweep); },
        [&] { return take(parser, washout, &washoutValue, settings.washout); },
        [&] { return take(parser, kerf, &kerfValue, settings.kerf); },
        [&] { return take(parser, tipKerf, &kerfValue, tipKerfValue); },
        [&] { return take(parser, leadIn, &TemplateLengthValue, settings.leadIn); },
        [&] { return take(parser, feed, &feedValue, settings.feed); },
        [&] { return take(parser, travel, &travelValue, settings.travel); },
        [&] { return take(parser, axes, &axesValue, settings.axes); },
        [&] { return take(parser, wireOn, &codeValue, settings.wireOn); },
        [&] { return take(parser, wireOff, &codeValue, settings.wireOff); },
        [&] { return take(parser, preheat, &secondsValue, settings.preheat); },
    };
    for (const auto& step : steps) {
        if (const Status taken = step(); !taken) {
            return Settings::failure(taken.error());
        }
    }
    if (parser.isSet(rootAt)) {
        machine.rootAt = rootAtValue;
    }
    if (parser.isSet(tipKerf)) {
        settings.tipKerf = tipKerfValue;
    }
    if (const Status fits = CheckFoamMachine(machine); !fits) {
        return Settings::failure(fits.error());
    }
    return Settings::success(std::move(settings));
}

}  // namespace vandrix
