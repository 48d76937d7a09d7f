// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Eigen/Core>

#include <vector>

namespace vandrix {

// A section's outline as points in the plane, in the order a file lists them.
using SectionPoint = Eigen::Vector2d;
using SectionPoints = std::vector<SectionPoint>;

// A surface needs this many points at least to make a section.
inline constexpr int MinSurfacePoints = 5;

}  // namespace vandrix
