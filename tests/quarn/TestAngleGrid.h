#pragma once
// The instrument's angle grid: polar angles seen from the source for the 3241 arm angles of a
// sweep, and the index lookup the measurement document uses on it.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace quarn::test {

constexpr int kSamples = 3241;
constexpr int kCentreSample = 1620;

// `distanceCm` is the aperture-source distance as the user gives it.
inline std::vector<float> DocumentAngleGrid(float distanceCm) {
    const float d = distanceCm + 1.65f;  // aperture offset
    const float radius = 6.62f;          // rotation radius of the arm
    const float squares = d * d + radius * radius;
    std::vector<float> grid(kSamples);
    for (int i = 0; i < kSamples; ++i) {
        const double t = (i / 3240.0 - 0.5) * std::numbers::pi;
        const double r = std::sqrt(squares + 2.0 * radius * d * std::cos(t));
        const double c = std::min(1.0, (d + radius * std::cos(t)) / r);
        const double theta = std::acos(c);
        grid[i] = static_cast<float>(t < 0.0 ? -theta : theta);
    }
    return grid;
}

// First index whose angle is at least `degrees`; the last index when every angle is smaller.
inline uint16_t FindGridIndex(const std::vector<float>& grid, double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    for (std::size_t i = 0; i < grid.size(); ++i) {
        if (grid[i] >= radians) return static_cast<uint16_t>(i);
    }
    return static_cast<uint16_t>(grid.size() - 1);
}

// The grid's upper half, from the axis outwards: the angles of a one-sided (folded) profile.
inline std::vector<float> OneSidedAngles(float distanceCm) {
    const std::vector<float> grid = DocumentAngleGrid(distanceCm);
    return {grid.begin() + kCentreSample, grid.end()};
}

// Index of the grid angle nearest to `radians`.
inline std::size_t NearestIndex(const std::vector<float>& grid, double radians) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < grid.size(); ++i) {
        if (std::fabs(grid[i] - radians) < std::fabs(grid[best] - radians)) best = i;
    }
    return best;
}

}  // namespace quarn::test
