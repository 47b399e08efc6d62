// The arm's two supports shadow the detector over a few degrees when the sweep plane is
// turned beyond 97°. The shadowed stretch of the profile is bridged by a straight line.

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "document/Velor32Doc.h"

namespace velor {
namespace {

struct Point {
    double x;
    double y;
};

// Corners of the two supports in the instrument's frame (cm).
constexpr std::array<std::array<Point, 4>, 2> kObstacles{{
    {{{-5.0521, 0.6172}, {-4.9936, 0.9931}, {-6.2433, 1.1938}, {-6.3043, 0.8179}}},
    {{{-0.6172, 5.0521}, {-0.9931, 4.9936}, {-1.1938, 6.2433}, {-0.8179, 6.3043}}},
}};

// Extra samples bridged on each side of the shadow.
constexpr int kMargin = 30;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

}  // namespace

void CVelor32Doc::CorrectBlindSpots(float phi, float* profile) const {
    if (!(phi > 97.0f)) return;
    const double phiRad = phi / kDegreesPerRadian;
    const double d = m_fDistance;
    for (const auto& corners : kObstacles) {
        double lo = 0.0;
        double hi = 0.0;
        for (size_t c = 0; c < corners.size(); ++c) {
            const double beta = std::atan2(corners[c].x + d * std::cos(phiRad),
                                           corners[c].y - d * std::sin(phiRad));
            lo = c == 0 ? beta : std::min(lo, beta);
            hi = c == 0 ? beta : std::max(hi, beta);
        }
        if (lo < 0.0) lo += 2.0 * std::numbers::pi;
        if (hi < 0.0) hi += 2.0 * std::numbers::pi;
        const double betaMin = lo * kDegreesPerRadian;
        const double betaMax = hi * kDegreesPerRadian;
        if (!(betaMax >= phi && betaMin <= phi + 180.0)) continue;

        const float fov = GetFieldOfView(0);
        const int lowest = FindGridIndex(-fov, kUnitsDegreesIn);
        const int highest = FindGridIndex(fov, kUnitsDegreesIn);
        const int a = std::max(
            FindGridIndex(static_cast<float>(90.0 - betaMax + phi), kUnitsDegreesIn) - kMargin, lowest);
        const int b = std::min(
            FindGridIndex(static_cast<float>(90.0 - betaMin + phi), kUnitsDegreesIn) + kMargin, highest);
        if (b - a < 2) continue;
        const float ya = profile[a];
        const float yb = profile[b];
        for (int j = a + 1; j < b; ++j) {
            profile[j] = ya + (yb - ya) * static_cast<float>(j - a) / static_cast<float>(b - a);
        }
    }
}

}  // namespace velor
