#pragma once

#include "Result.h"
#include "SectionOutline.h"

#include <QString>

#include <array>
#include <memory>
#include <optional>

namespace vandrix {

inline constexpr int SectionStations = 201;

// x of station i (0..200): (1 - cos(pi i / 200)) / 2, dense at both edges.
double StationX(int i);

// A cubic spline in arc length through a run of points. It is fitted piece by piece, each
// segment on the points around it (ten either side), so that a long run costs no more than its
// length; at that distance a global spline's dependence on further points has died away.
class SmoothOutline {
public:
    explicit SmoothOutline(SectionPoints points);
    ~SmoothOutline();
    Q_DISABLE_COPY_MOVE(SmoothOutline)

    const SectionPoints& points() const { return points_; }
    // u runs from 0 to points().size() - 1; at whole numbers it passes through the points.
    SectionPoint at(double u) const;
    // Unsigned curvature at the point with index i.
    double curvatureAt(int i) const;
    // Unit tangent at the point with index i, in the direction of rising index.
    SectionPoint tangentAt(int i) const;

private:
    struct Piece;
    const Piece& piece(int segment) const;

    SectionPoints points_;
    mutable std::vector<std::unique_ptr<Piece>> pieces_;
};

// The measures of a normalised section, in fractions of the chord.
struct SectionMeasures {
    double thickness = 0.0;
    double thicknessX = 0.0;
    double camber = 0.0;  // signed: the mean line's largest distance from the chord
    double camberX = 0.0;
    double leRadius = 0.0;
    double teGap = 0.0;
};

// A section in the normalised frame, resampled at the stations: index 0 the leading edge,
// 200 the trailing edge, on the upper and on the lower surface. Each point lies at its
// station's x, but for point 200 of a surface whose trailing-edge end falls short of x = 1.
struct SectionCurve {
    std::array<double, SectionStations> x{};
    std::array<double, SectionStations> y{};
};

struct ResampledSection {
    SectionCurve upper;
    SectionCurve lower;
    SectionMeasures measures;
    bool keptFrame = false;
    QString frameChange;  // what normalising did, in words
};

// Normalises the points (one run from one trailing-edge end round the leading edge to the
// other), resamples both surfaces and takes the measures. Fails with a plain reason.
Result<ResampledSection> ResampleSection(const SectionPoints& run);

// One run from one trailing-edge end round the leading edge to the other: a single run as it is,
// two surfaces (as Lednicer files list them) joined at their leading edges.
SectionPoints JoinedRun(const std::vector<SectionPoints>& runs);

}  // namespace vandrix
