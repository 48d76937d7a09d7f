// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TemplateValues.h"

#include "model/Conversions.h"

#include <QLocale>
#include <QStringList>

#include <optional>

namespace vandrix {

namespace {

// A number above 0, or nothing.
std::optional<double> positiveNumber(const QString& text) {
    Result<double> value = TypedNumber(text);
    return value && value.value() > 0.0 ? std::optional<double>(value.value()) : std::nullopt;
}

}  // namespace

Result<double> TemplateChordValue(const QString& text) {
    Result<double> value = TypedNumber(text);
    if (!value) {
        return value;
    }
    if (const Status inRange = TemplateChordInRange(value.value()); !inRange) {
        return Result<double>::failure(inRange.error());
    }
    return value;
}

Status TemplateChordInRange(double chord) {
    return chord >= MinTemplateChord && chord <= MaxTemplateChord
               ? Status::success()
               : Status::failure(QStringLiteral("a chord is ") + TemplateChordRange());
}

QString TemplateChordRange() {
    // Thousands grouped with a comma, as English writes them: "5,000".
    const QLocale english(QLocale::English);
    const auto grouped = [&](double mm) {
        return english.toString(mm, 'f', QLocale::FloatingPointShortest);
    };
    return QStringLiteral("%1 to %2 mm").arg(grouped(MinTemplateChord), grouped(MaxTemplateChord));
}

Result<double> TemplateLengthValue(const QString& text) {
    Result<double> value = TypedNumber(text);
    if (value && value.value() < 0.0) {
        return Result<double>::failure(QStringLiteral("not a length of 0 mm or more"));
    }
    return value;
}

Result<SparNotch> SparNotchValue(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(':'));
    const auto bad = [](const char* why) {
        return Result<SparNotch>::failure(QString::fromLatin1(why));
    };
    if (parts.size() < 3 || parts.size() > 4) {
        return bad("not POS:WIDTH:DEPTH[:upper|lower|both]");
    }
    SparNotch spar;
    const std::optional<double> position = positiveNumber(parts[0]);
    if (!position || *position >= 100.0) {
        return bad("the position is not a percentage of the chord above 0 and below 100");
    }
    const std::optional<double> width = positiveNumber(parts[1]);
    const std::optional<double> depth = positiveNumber(parts[2]);
    if (!width || !depth) {
        return bad("the width and depth must be millimetres above 0");
    }
    spar.position = *position;
    spar.width = *width;
    spar.depth = *depth;
    if (parts.size() == 4) {
        const QString side = parts[3].trimmed().toLower();
        if (side == QLatin1String("upper")) {
            spar.side = SparNotch::Side::Upper;
        } else if (side == QLatin1String("lower")) {
            spar.side = SparNotch::Side::Lower;
        } else if (side == QLatin1String("both")) {
            spar.side = SparNotch::Side::Both;
        } else {
            return bad("the side is not upper, lower or both");
        }
    }
    return Result<SparNotch>::success(spar);
}

QString ValueProblem(const QString& subject, const QString& text, const QString& reason) {
    return text.isEmpty() ? QStringLiteral("%1: %2").arg(subject, reason)
                          : QStringLiteral("%1 %2: %3").arg(subject, text, reason);
}

}  // namespace vandrix
