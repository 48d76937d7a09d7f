#pragma once

#include <QString>

#include <array>
#include <cstdint>

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

// The one record of the run's state, shared by every procedure that needs it.
struct AppState {
    std::int16_t Language = 0;
    QString InitDir;
    std::int16_t ScreenScale = 0;
    double PrinterScale = 0.0;
    QString DataPath;
    QString DataName;
    QString LangFontName;
    QString FileErrorMessage;
    std::int16_t ReadStop = 0;
    PointArray PointX;
    PointArray PointY;
};

}  // namespace vandrix
