// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace vandrix {

// A section is sampled at this many stations on each surface, from the leading edge (0) to the
// trailing edge (200); a data file lists each of its two curves at these points.
inline constexpr int SectionStations = 201;

// Two curves; slots 0..201 per curve. A section fills slots 0..200, slot 201 stays 0.0.
inline constexpr int CurveCount = 2;
inline constexpr int PointSlots = SectionStations + 1;
// Curve 0 is the upper surface, curve 1 the lower.
inline constexpr int UpperCurve = 0;
inline constexpr int LowerCurve = 1;

// Fixed-size coordinate table [curve][point]. Debug builds check every index.
class PointArray {
public:
    double& operator()(int curve, int point) {
        checkIndex(curve, point);
        return values_[static_cast<std::size_t>(curve)][static_cast<std::size_t>(point)];
    }
    double operator()(int curve, int point) const {
        checkIndex(curve, point);
        return values_[static_cast<std::size_t>(curve)][static_cast<std::size_t>(point)];
    }
    bool operator==(const PointArray&) const = default;

private:
    static void checkIndex([[maybe_unused]] int curve, [[maybe_unused]] int point) {
        Q_ASSERT_X(curve >= 0 && curve < CurveCount, "PointArray", "curve index out of range");
        Q_ASSERT_X(point >= 0 && point < PointSlots, "PointArray", "point index out of range");
    }
    std::array<std::array<double, PointSlots>, CurveCount> values_{};
};

// The two curves of a section in chord units: x and y of each point.
struct SectionCurves {
    PointArray x;
    PointArray y;

    QPointF point(int curve, int i) const { return {x(curve, i), y(curve, i)}; }
    void setPoint(int curve, int i, QPointF p) {
        x(curve, i) = p.x();
        y(curve, i) = p.y();
    }
    bool operator==(const SectionCurves&) const = default;
};

// A data file has eight header pairs: a label and its value.
inline constexpr int HeaderPairCount = 8;

// A header pair's label in both languages: `second` is language 2's, `first` language 1's, as
// the header line lists them ("second:first:value").
struct HeaderLabel {
    QString second;
    QString first;
    bool operator==(const HeaderLabel&) const = default;
};

// The file a section came from.
enum class SectionFormat { DataFile, Selig, Lednicer, Mses };

// The measures of a normalised section, in fractions of the chord, and what thin-aerofoil theory
// makes of its mean line.
struct SectionMeasures {
    double thickness = 0.0;
    double thicknessX = 0.0;
    double camber = 0.0;  // signed: the mean line's extreme of larger size
    double camberX = 0.0;
    double leRadius = 0.0;
    double teGap = 0.0;
    double zeroLiftAngle = 0.0;       // degrees from the chord, nose up positive
    double quarterChordMoment = 0.0;  // moment coefficient about x/c = 0.25, nose up positive
};

// A wing section as the program holds it: the eight labelled values (pair 1's value is its
// title), the two curves at the stations, the format it was read from, and, for a converted
// section file, what the conversion measured and warned of.
struct Section {
    std::array<HeaderLabel, HeaderPairCount> labels;
    std::array<QString, HeaderPairCount> values;
    SectionCurves curves;
    SectionFormat format = SectionFormat::DataFile;
    int filePoints = 0;  // coordinate pairs in the file it was read from
    std::optional<SectionMeasures> measures;
    QStringList warnings;

    const QString& title() const { return values[0]; }
};

}  // namespace vandrix
