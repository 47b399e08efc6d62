#include "views/power/PowerMath.h"

#include <algorithm>

#include "views/power/PowerData.h"

namespace velor {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
// The cone holding a share has always been converted to degrees with this factor.
constexpr double kDegreesPerRadian = 57.29578;

}  // namespace

double PowerCurve::HalfAngle(int k) const {
    if (AboutOpticalAxis()) return grid[count - 1 + k];
    return k / 10.0 * kRadiansPerDegree;
}

double PowerCurve::LargestHalfAngle() const {
    if (AboutOpticalAxis()) return count > 0 ? -grid[0] / kRadiansPerDegree : 0.0;
    return (count - 1) / 10.0;
}

int ConeIndex(const PowerCurve& curve, double degrees) {
    if (!curve.AboutOpticalAxis()) return 1 + static_cast<int>(std::trunc(10.0 * degrees));
    // From the grid's far end towards its centre: the first point inside the cone is sample
    // j − 1, its outer neighbour sample j.
    const int centre = curve.count - 1;
    for (int i = 0; i <= centre; ++i) {
        if (std::fabs(curve.grid[i]) / kRadiansPerDegree < degrees) return centre - i + 1;
    }
    return 0;
}

double ConeValue(const PowerCurve& curve, double degrees) {
    if (curve.count == 0) return 0.0;
    if (degrees >= curve.LargestHalfAngle()) return curve.Last();
    const int j = std::min(ConeIndex(curve, degrees), curve.count - 1);
    if (j <= 0) return 0.0;
    const double e0 = curve.values[j - 1];
    const double e1 = curve.values[j];
    const double a0 = curve.HalfAngle(j - 1);
    const double a1 = curve.HalfAngle(j);
    if (!(a1 > a0)) return e0;
    return e0 + (degrees * kRadiansPerDegree - a0) * (e1 - e0) / (a1 - a0);
}

double PercentHalfAngle(const PowerCurve& curve, double percent) {
    if (curve.count == 0) return 0.0;
    const double target = percent * curve.Last() / 100.0;
    int k = 0;
    while (k < curve.count && !(curve.values[k] >= target)) ++k;
    if (k == curve.count) return curve.HalfAngle(curve.count - 1) * kDegreesPerRadian;
    if (k == 0) return curve.HalfAngle(0) * kDegreesPerRadian;
    const double e0 = curve.values[k - 1];
    const double e1 = curve.values[k];
    const double a0 = curve.HalfAngle(k - 1);
    const double a1 = curve.HalfAngle(k);
    return (a0 + (target - e0) * (a1 - a0) / (e1 - e0)) * kDegreesPerRadian;
}

double FullScale(double top) {
    if (!(top > 0.0) || !std::isfinite(top)) return 0.0;
    static constexpr double kLadder[] = {0.1, 0.12, 0.15, 0.2, 0.25, 0.3, 0.4, 0.5, 0.6, 0.8, 1.0};
    int n = 0;
    while (std::trunc(top / std::pow(10.0, n)) != 0.0) ++n;
    const double decade = std::pow(10.0, n);
    const double m = top / decade;
    for (double step : kLadder) {
        if (step >= m) return step * decade;
    }
    return decade;  // m below 1 always finds its step; kept for rounding's sake
}

std::optional<PowerResults> ComputePowerResults(const PowerCurve& curve, const CPowerData& settings) {
    const Calibration calibration{settings.m_fRefPower, settings.m_fCalCounts};
    if (!calibration.Valid()) return std::nullopt;
    PowerResults results;
    results.total = calibration.Power(curve.Last());
    for (int i = 0; i < 3; ++i) {
        results.conePower[i] = calibration.Power(ConeValue(curve, settings.m_fConeAngle[i]));
        results.percentAngle[i] = PercentHalfAngle(curve, settings.m_fPercent[i]);
    }
    return results;
}

}  // namespace velor
