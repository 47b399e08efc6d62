// Cumulative power in cones about a direction. Each cell goes into the 0.1 degree bin of its
// angle to the direction, found from u = 1 - cos(angle) through a lookup table over u and a
// short search among precomputed bin edges; a prefix sum then gives the cone powers.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

#include "instrument/prelum/Prelum.h"
#include "instrument/prelum/SphereGrid.h"

namespace velor {

namespace {

constexpr int kMaxBin = 1800;  // 180 degrees in 0.1 degree steps
constexpr int kBuckets = 16384;
constexpr double kBucketWidth = 2.0 / kBuckets;  // u spans [0, 2]

// Bin of a cell: the smallest k with angle <= k * 0.1 degree, i.e. u <= edge[k].
class AngleBins {
public:
    AngleBins() : m_edge(kMaxBin + 1), m_first(kBuckets + 1) {
        const double step = std::numbers::pi / 1800.0;
        for (int k = 0; k <= kMaxBin; ++k) {
            const double h = std::sin(0.5 * k * step);
            m_edge[k] = 2.0 * h * h;  // 1 - cos without cancellation near 0
        }
        m_edge[kMaxBin] = 2.0;
        int k = 0;
        for (int b = 0; b <= kBuckets; ++b) {
            while (k < kMaxBin && m_edge[k] < b * kBucketWidth) ++k;
            m_first[b] = k;
        }
    }

    int Bin(double u) const {
        if (!(u > 0.0)) return 0;
        if (u >= 2.0) return kMaxBin;
        int k = m_first[static_cast<int>(u / kBucketWidth)];
        while (m_edge[k] < u) ++k;  // ends at kMaxBin at the latest, edge 2
        return k;
    }

private:
    std::vector<double> m_edge;
    std::vector<int> m_first;  // smallest k with edge[k] >= the bucket's lower end
};

}  // namespace

int Prelum_ComputePower(int azimuthCount, int polarCount, const float* polar, const float* grid,
                        float thetaC, float phiC, int16_t threshold, uint16_t* count,
                        float* power) {
    if (!polar || !grid || !count || !power) return 0;
    if (!prelum::ValidGridShape(azimuthCount, polarCount)) return 0;
    if (!std::isfinite(thetaC) || !std::isfinite(phiC)) return 0;

    const prelum::PolarTerms pt = prelum::MakePolarTerms(polar, polarCount);
    const prelum::AzimuthTerms at = prelum::MakeAzimuthTerms(azimuthCount);
    const AngleBins bins;
    const double sinC = std::sin(static_cast<double>(thetaC));
    const double cosC = std::cos(static_cast<double>(thetaC));
    const double cosPhiC = std::cos(static_cast<double>(phiC));
    const double sinPhiC = std::sin(static_cast<double>(phiC));
    const double level = threshold;

    std::vector<double> binPower(kMaxBin + 1, 0.0);
    int farthest = 0;
    for (int i = 0; i < azimuthCount; ++i) {
        const float* row = grid + static_cast<std::size_t>(i) * polarCount;
        // cos(angle) = sin(theta) sinC cos(phi - phiC) + cos(theta) cosC
        const double across = sinC * (at.cosPhi[i] * cosPhiC + at.sinPhi[i] * sinPhiC);
        const double w = at.weight[i];
        for (int j = 0; j < polarCount; ++j) {
            const int k = bins.Bin(1.0 - (pt.sinTheta[j] * across + pt.cosTheta[j] * cosC));
            farthest = std::max(farthest, k);
            const double excess = row[j] - level;
            if (excess > 0.0) binPower[k] += w * pt.weight[j] * excess;
        }
    }
    double sum = 0.0;
    for (int k = 0; k <= farthest; ++k) {
        sum += binPower[k];
        power[k] = static_cast<float>(sum);
    }
    *count = static_cast<uint16_t>(farthest + 1);
    return 1;
}

}  // namespace velor
