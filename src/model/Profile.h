// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

namespace vandrix {

// Two curves; slots 0..201 per curve. A data file fills slots 0..200, slot 201 stays 0.0.
inline constexpr int CurveCount = 2;
inline constexpr int PointSlots = 202;
inline constexpr int FilePointsPerCurve = 201;

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

// The two curves of a profile: x and y of each point.
struct ProfileCurves {
    PointArray x;
    PointArray y;
    bool operator==(const ProfileCurves&) const = default;
};

// A data file has eight header pairs: a label and its value.
inline constexpr int HeaderPairCount = 8;

// A profile as a data file holds it: the eight labels in both languages (index 0 is language 2,
// index 1 language 1, as the header line lists them), their values, and the two curves.
struct Profile {
    struct Label {
        QString second;
        QString first;
    };
    std::array<Label, HeaderPairCount> labels;
    std::array<QString, HeaderPairCount> values;
    ProfileCurves curves;
};

}  // namespace vandrix
