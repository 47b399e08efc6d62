// Cross section of the grid along a great circle through `direction`, in the plane spanned by
// `direction` and `axis`.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "instrument/prelum/Prelum.h"
#include "instrument/prelum/SphereGrid.h"
#include "instrument/prelum/Vec3.h"

namespace velor {

namespace {

constexpr double kStep = std::numbers::pi / 3240.0;  // 1/18 degree
constexpr int kHalfTurn = 3240;                      // steps in pi
// Below this, axis is taken as parallel to direction (relative to the axis length).
constexpr double kParallel = 1e-6;

// Bilinear interpolation in (azimuth, polar), periodic in azimuth. Polar index 0 is one point
// seen from every azimuth, so it takes one value there: the mean over the distinct azimuths.
class GridSampler {
public:
    GridSampler(const float* polar, const float* grid, int polarCount, int azimuthCount)
        : m_polar(polar),
          m_grid(grid),
          m_polarCount(polarCount),
          m_periods(azimuthCount - 1),
          m_azimuthStep(2.0 * std::numbers::pi / (azimuthCount - 1)) {
        double sum = 0.0;
        for (int i = 0; i < m_periods; ++i) sum += Cell(i, 0);
        m_pole = sum / m_periods;
    }

    double At(prelum::Vec3 u) const {
        const double theta = std::atan2(std::hypot(u.x, u.y), u.z);
        double phi = std::atan2(u.y, u.x);
        if (phi < 0.0) phi += 2.0 * std::numbers::pi;

        const double fi = phi / m_azimuthStep;
        const int i0 = std::clamp(static_cast<int>(fi), 0, m_periods - 1);
        const int i1 = i0 + 1;  // row 2N is stored: no wrap needed
        const double fa = std::clamp(fi - i0, 0.0, 1.0);

        const float* upper =
            std::upper_bound(m_polar, m_polar + m_polarCount, static_cast<float>(theta));
        const int j0 = std::clamp(static_cast<int>(upper - m_polar) - 1, 0, m_polarCount - 2);
        const double span = m_polar[j0 + 1] - m_polar[j0];
        const double fb = span > 0.0 ? std::clamp((theta - m_polar[j0]) / span, 0.0, 1.0) : 0.0;

        const double inner = j0 == 0 ? m_pole : (1.0 - fa) * Cell(i0, j0) + fa * Cell(i1, j0);
        const double outer = (1.0 - fa) * Cell(i0, j0 + 1) + fa * Cell(i1, j0 + 1);
        return (1.0 - fb) * inner + fb * outer;
    }

private:
    double Cell(int i, int j) const {
        return m_grid[static_cast<std::size_t>(i) * m_polarCount + j];
    }

    const float* m_polar;
    const float* m_grid;
    int m_polarCount;
    int m_periods;  // 2N distinct azimuths
    double m_azimuthStep;
    double m_pole = 0.0;
};

}  // namespace

int Prelum_ComputeIntersectionData(const float* direction, const float* axis, const float* polar,
                                   const float* grid, int polarCount, int azimuthCount,
                                   int maxSamples, uint16_t* count, float* angles, float* values,
                                   float* planeAzimuth) {
    if (!count) return 0;
    *count = 0;
    if (!direction || !axis || !polar || !grid || !angles || !values || !planeAzimuth) return 0;
    if (!prelum::ValidGridShape(azimuthCount, polarCount) || maxSamples < 2) return 0;

    const prelum::Vec3 rawD = prelum::Load(direction);
    const prelum::Vec3 rawA = prelum::Load(axis);
    const double lengthD = prelum::Norm(rawD);
    const double lengthA = prelum::Norm(rawA);
    if (!(lengthD > 0.0) || !(lengthA > 0.0)) return 0;
    const prelum::Vec3 d = (1.0 / lengthD) * rawD;
    const prelum::Vec3 across = rawA - prelum::Dot(rawA, d) * d;
    const double lengthAcross = prelum::Norm(across);
    if (!(lengthAcross > kParallel * lengthA)) return 0;
    const prelum::Vec3 a = (1.0 / lengthAcross) * across;

    const auto point = [&](int n) { return std::cos(n * kStep) * d + std::sin(n * kStep) * a; };
    const double minZ = std::cos(static_cast<double>(polar[polarCount - 1]));
    const auto inside = [&](int n) { return point(n).z >= minZ; };
    if (!inside(0)) return 0;
    int first = 0, last = 0;
    while (last < kHalfTurn && inside(last + 1)) ++last;
    while (first > -kHalfTurn && inside(first - 1)) --first;
    // Trim the longer side first so the run stays centred on t = 0.
    while (last - first + 1 > maxSamples) {
        if (last > -first) {
            --last;
        } else {
            ++first;
        }
    }
    if (last - first + 1 < 2) return 0;

    const GridSampler sampler(polar, grid, polarCount, azimuthCount);
    for (int n = first; n <= last; ++n) {
        angles[n - first] = static_cast<float>(n * kStep);
        values[n - first] = static_cast<float>(sampler.At(point(n)));
    }
    double planePhi = std::atan2(a.y, a.x);
    if (planePhi < 0.0) planePhi += std::numbers::pi;
    if (planePhi >= std::numbers::pi) planePhi -= std::numbers::pi;
    float planePhiF = static_cast<float>(planePhi);
    if (planePhiF >= static_cast<float>(std::numbers::pi)) planePhiF = 0.0f;
    *planeAzimuth = planePhiF;
    *count = static_cast<uint16_t>(last - first + 1);
    return 1;
}

}  // namespace velor
