// Intensity-weighted mean direction. The sums separate into per-azimuth sums over polar angle,
// so the cell loop is multiply-adds only.

#include <cstddef>

#include "instrument/prelum/Prelum.h"
#include "instrument/prelum/SphereGrid.h"

namespace velor {

int Prelum_ComputeCentroidPosition(int azimuthCount, int polarCount, const float* polar,
                                   const float* grid, float* vector) {
    if (!polar || !grid || !vector || !prelum::ValidGridShape(azimuthCount, polarCount)) return 0;
    vector[0] = vector[1] = vector[2] = 0.0f;

    const prelum::PolarTerms pt = prelum::MakePolarTerms(polar, polarCount);
    const prelum::AzimuthTerms at = prelum::MakeAzimuthTerms(azimuthCount);
    double x = 0.0, y = 0.0, z = 0.0, total = 0.0;
    for (int i = 0; i < azimuthCount; ++i) {
        const float* row = grid + static_cast<std::size_t>(i) * polarCount;
        double sumSin = 0.0, sumCos = 0.0, sum = 0.0;
        for (int j = 1; j < polarCount; ++j) {  // j = 0 has sin(theta) = 0
            const double wi = pt.weight[j] * row[j];
            sum += wi;
            sumSin += wi * pt.sinTheta[j];
            sumCos += wi * pt.cosTheta[j];
        }
        const double w = at.weight[i];
        x += w * at.cosPhi[i] * sumSin;
        y += w * at.sinPhi[i] * sumSin;
        z += w * sumCos;
        total += w * sum;
    }
    if (!(total > 0.0)) return 0;
    vector[0] = static_cast<float>(x);
    vector[1] = static_cast<float>(y);
    vector[2] = static_cast<float>(z);
    return 1;
}

}  // namespace velor
