// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Scales.h"

#include "model/Conversions.h"

namespace vandrix {

namespace {

template <typename T>
ScaleTaken<T> clamped(T scale, T maximum, QString (*toText)(T)) {
    if (scale > maximum) {
        return {maximum, QStringLiteral("Max = ") + toText(maximum)};
    }
    return {scale, QString()};
}

}  // namespace

ScaleTaken<std::int16_t> TakeScreenScale(std::int16_t scale) {
    return clamped(scale, MaxScreenScale, &Int16ToText);
}

ScaleTaken<double> TakePrinterScale(double scale) {
    return clamped(scale, MaxPrinterScale, &DoubleToText);
}

}  // namespace vandrix
