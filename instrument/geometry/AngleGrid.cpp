#include "instrument/geometry/AngleGrid.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <numbers>

namespace velor {

namespace {

// The arm angles t are the same for every distance: their sine and cosine are taken once.
struct ArmAngles {
    std::array<double, kSamplesPerProfile> t, sin, cos;
    ArmAngles() {
        for (int i = 0; i < kSamplesPerProfile; ++i) {
            t[i] = (static_cast<double>(i) / (kSamplesPerProfile - 1) - 0.5) * std::numbers::pi;
            sin[i] = std::sin(t[i]);
            cos[i] = std::cos(t[i]);
        }
    }
};

void ComputeGridNow(float storedDistance, float* theta, float* weight) {
    static const ArmAngles arm;
    const float d = storedDistance;
    const float r0 = kRotationRadius;
    // The constant part of r² is formed in single precision, as the calibrated weights assume.
    const float squares = d * d + r0 * r0;
    for (int i = 0; i < kSamplesPerProfile; ++i) {
        const double t = arm.t[i];
        const double r = std::sqrt(squares + 2.0 * r0 * d * arm.cos[i]);
        // theta = acos((D + R cos t) / r), taken through atan2: near the axis acos of a ratio
        // rounded in single precision is off by up to 1e-4 rad and misses 0 at the centre.
        theta[i] = static_cast<float>(std::atan2(r0 * arm.sin[i], d + r0 * arm.cos[i]));
        const double ratio = r / (static_cast<double>(d) + r0);
        weight[i] = static_cast<float>(ratio * ratio / std::cos(theta[i] - t));
    }
}

}  // namespace

void ComputeAngleGrid(float storedDistance, float* theta, float* weight) {
    // Measurements read one after another were mostly taken at a few distances: each thread
    // keeps the last grids it computed.
    struct KeptGrid {
        uint32_t distanceBits = 0;
        bool valid = false;
        std::array<float, kSamplesPerProfile> theta, weight;
    };
    constexpr size_t kKept = 4;
    thread_local std::array<KeptGrid, kKept> kept;
    thread_local size_t next = 0;
    const uint32_t bits = std::bit_cast<uint32_t>(storedDistance);
    auto found = std::find_if(kept.begin(), kept.end(),
                              [bits](const KeptGrid& g) { return g.valid && g.distanceBits == bits; });
    if (found == kept.end()) {
        found = kept.begin() + static_cast<std::ptrdiff_t>(next);
        next = (next + 1) % kKept;
        ComputeGridNow(storedDistance, found->theta.data(), found->weight.data());
        found->distanceBits = bits;
        found->valid = true;
    }
    std::copy(found->theta.begin(), found->theta.end(), theta);
    std::copy(found->weight.begin(), found->weight.end(), weight);
}

SweepGrid MakeSweepGrid(float storedDistance) {
    SweepGrid grid{std::vector<float>(kSamplesPerProfile), std::vector<float>(kSamplesPerProfile)};
    ComputeAngleGrid(storedDistance, grid.theta.data(), grid.weight.data());
    return grid;
}

namespace {

struct FovRow {
    double distance;
    double limit;
};

// Measured field-of-view limits beyond 2.2 cm (user distance, cm → degrees).
constexpr FovRow kFovTable[] = {
    {2.2, 52.84}, {2.3, 52.13}, {2.4, 51.44}, {2.5, 50.75}, {2.6, 50.08}, {2.7, 49.43},
    {2.8, 48.02}, {2.9, 46.64}, {3.0, 45.35}, {3.1, 44.14}, {3.2, 43.00}, {3.3, 41.93},
    {3.4, 40.92}, {3.5, 39.97}, {3.6, 39.06}, {3.7, 38.19}, {3.8, 37.37}, {3.9, 36.59},
    {4.0, 35.84}, {4.1, 35.12}, {4.2, 34.44}, {4.3, 33.78}, {4.4, 33.15}, {4.5, 32.55},
    {4.6, 31.96}, {4.7, 31.40}, {4.8, 30.86}, {4.9, 30.34}, {5.0, 29.84}, {5.5, 27.57},
    {6.0, 25.63}, {6.5, 23.96}, {7.0, 22.50}, {7.5, 21.21}, {8.0, 20.06}, {8.5, 19.03},
    {9.0, 18.11}, {9.5, 17.27}, {10, 16.51},  {11, 15.17},  {12, 14.05},  {13, 13.06},
    {14, 12.21},  {15, 11.46},  {16, 10.80},  {17, 10.21},  {18, 9.70},   {19, 9.22},
    {20, 8.79},
};

double TableLimit(double x) {
    const auto first = std::begin(kFovTable);
    const auto last = std::end(kFovTable);
    if (x <= first->distance) return first->limit;
    // First row at or beyond x; beyond the table, extend the last segment.
    auto upper = std::find_if(first, last, [x](const FovRow& row) { return row.distance >= x; });
    if (upper == last) upper = last - 1;
    const FovRow& lo = *(upper - 1);
    const FovRow& hi = *upper;
    return lo.limit + (x - lo.distance) * (hi.limit - lo.limit) / (hi.distance - lo.distance);
}

}  // namespace

double FieldOfViewLimitDegrees(float storedDistance) {
    const double d = storedDistance;
    const double a1 = 90.0 - std::atan(2.0 * d / kGeometricFieldConstant) * 180.0 / std::numbers::pi;
    const double x = static_cast<double>(storedDistance - kApertureOffset);
    if (x < 2.2) return a1;
    return std::min(a1, TableLimit(x));
}

}  // namespace velor
