#include "document/analysis/PolarGrid.h"

#include <numbers>

#include "instrument/geometry/SweepGeometry.h"
#include "instrument/prelum/Prelum.h"

namespace velor {

PolarGrid RegridScans(const float* angleGrid, const float* scans, uint16_t scans3D) {
    const int n = scans3D;
    std::vector<float> phi(static_cast<size_t>(n) + 1);
    for (int k = 0; k <= n; ++k) phi[k] = static_cast<float>(k * std::numbers::pi / n);
    PolarGrid grid;
    grid.polar.assign(kPolarCount, 0.0f);
    grid.azimuth.assign(2 * static_cast<size_t>(n) + 1, 0.0f);
    grid.values.assign(grid.azimuth.size() * kPolarCount, 0.0f);
    Prelum_FlipData(kSamplesPerProfile, n + 1, angleGrid, phi.data(), scans, kPolarCount,
                    2 * n + 1, grid.polar.data(), grid.azimuth.data(), grid.values.data());
    return grid;
}

}  // namespace velor
