#include "document/analysis/BeamMetrics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <span>

#include "document/Velor32Doc.h"
#include "document/analysis/BeamShape3D.h"
#include "document/analysis/GaussianFit.h"
#include "document/analysis/SecondMomentWidth.h"

namespace velor {
namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

float Degrees(double radians) { return static_cast<float>(radians * kDegreesPerRadian); }

bool ValidAxis(int axis) { return axis == 0 || axis == 1; }

}  // namespace

ProfileMetrics ComputeProfileMetrics(const float* profile, const float* angles, int n) {
    ProfileMetrics m;
    if (n <= 0) return m;
    const std::span<const float> y(profile, static_cast<size_t>(n));
    const std::span<const float> theta(angles, static_cast<size_t>(n));
    const SecondMomentWidth moments = ComputeSecondMomentWidth(y, theta);
    if (moments.valid) {
        m.secondMomentWidth = Degrees(moments.width);
        m.secondMomentNA = static_cast<float>(std::sin(moments.width / 2.0));
    }
    // The fit takes the same baseline and starts from the moments' centroid and width.
    const std::optional<GaussianStart> start =
        moments.valid ? std::optional<GaussianStart>({moments.centroid, moments.width}) : std::nullopt;
    const GaussianFit fit = FitGaussian(y, theta, moments.baseline, start);
    if (fit.fitted) {
        m.fitted = true;
        m.fitWidth = Degrees(fit.width);
        m.fitCenter = Degrees(fit.centre);
        m.fitQuality = static_cast<float>(fit.rSquared);
    }
    return m;
}

const ProfileMetrics& ProfileMetricsCache::Get(const float* profile, const float* angles, int n) {
    const auto count = static_cast<size_t>(std::max(n, 0));
    const size_t bytes = count * sizeof(float);
    const bool same = m_filled && m_profile.size() == count &&
                      (count == 0 || (std::memcmp(m_profile.data(), profile, bytes) == 0 &&
                                      std::memcmp(m_angles.data(), angles, bytes) == 0));
    if (!same) {
        m_profile.assign(profile, profile + count);
        m_angles.assign(angles, angles + count);
        m_metrics = ComputeProfileMetrics(profile, angles, n);
        m_filled = true;
    }
    return m_metrics;
}

const ProfileMetrics& CVelor32Doc::GetProfileMetrics(int axis) const {
    static const ProfileMetrics kNone;
    if (!ValidAxis(axis)) return kNone;
    return m_metricsCache[axis].Get(m_arrays.profile[axis].data(), AxisAngles(axis), m_nNumPoints[axis]);
}

BeamShape ComputeBeamShape(const PolarGrid& grid) {
    const BeamShape3D shape = ComputeBeamShape3D(grid);
    BeamShape s;
    if (!shape.valid) return s;
    s.valid = true;
    s.majorDivergence = Degrees(shape.major);
    s.minorDivergence = Degrees(shape.minor);
    s.ellipticity = static_cast<float>(shape.Ellipticity());
    s.orientation = Degrees(shape.orientation);
    if (s.orientation >= 180.0f) s.orientation -= 180.0f;  // rounding just below π
    return s;
}

}  // namespace velor
