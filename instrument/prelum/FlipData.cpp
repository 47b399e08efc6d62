// Sweeps to polar grid: each sweep's near half keeps its azimuth, its far half becomes the
// sweep at the opposite azimuth, read outwards from the centre sample.

#include <cstddef>
#include <numbers>

#include "instrument/prelum/Prelum.h"

namespace velor {

int Prelum_FlipData(int thetaCount, int scanCount, const float* theta, const float* phi,
                    const float* scans, int polarCount, int azimuthCount, float* polar,
                    float* azimuth, float* grid) {
    if (!theta || !phi || !scans || !polar || !azimuth || !grid) return 0;
    if (thetaCount < 3 || thetaCount % 2 == 0 || scanCount < 2) return 0;
    if (polarCount != (thetaCount + 1) / 2 || azimuthCount != 2 * scanCount - 1) return 0;

    const int centre = polarCount - 1;
    const int n = scanCount - 1;
    for (int j = 0; j < polarCount; ++j) polar[j] = theta[centre + j];
    for (int i = 0; i < azimuthCount; ++i) {
        azimuth[i] = i <= n ? phi[i] : static_cast<float>(phi[i - n] + std::numbers::pi);
    }
    for (int i = 0; i < azimuthCount; ++i) {
        const bool nearSide = i <= n;
        const float* sweep = scans + static_cast<std::size_t>(nearSide ? i : i - n) * thetaCount;
        float* row = grid + static_cast<std::size_t>(i) * polarCount;
        if (nearSide) {
            for (int j = 0; j < polarCount; ++j) row[j] = sweep[centre + j];
        } else {
            for (int j = 0; j < polarCount; ++j) row[j] = sweep[centre - j];
        }
    }
    return 1;
}

}  // namespace velor
