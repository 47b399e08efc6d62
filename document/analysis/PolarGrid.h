#pragma once
// The 3D data turned into a polar grid for the 3D computation component: 1621 polar angles
// (θ ≥ 0) by 2N + 1 azimuths over the whole circle, each scan's negative half looking along
// the opposite azimuth.

#include <cstdint>
#include <vector>

namespace velor {

inline constexpr int kPolarCount = 1621;

struct PolarGrid {
    std::vector<float> polar;    // 1621, radians
    std::vector<float> azimuth;  // 2N + 1, radians
    std::vector<float> values;   // (2N + 1) × 1621, azimuth-major
    int AzimuthCount() const { return static_cast<int>(azimuth.size()); }
};

// Throws std::bad_alloc; the document turns that into its fatal exit.
PolarGrid RegridScans(const float* angleGrid, const float* scans, uint16_t scans3D);

}  // namespace velor
