#include "views/beamstats/BeamMetricKinds.h"

#include <limits>

#include "document/Velor32Doc.h"

namespace velor {
namespace {

constexpr double kNoFit = std::numeric_limits<double>::quiet_NaN();

double Fitted(const ProfileMetrics& m, float value) { return m.fitted ? value : kNoFit; }

const BeamMetricKind kKinds[] = {
    {0x001, 42, true, 2, "Second-Moment Width", "metricWidth", "Second-Moment Width at %.1f\u00B0 (deg)",
     [](const CVelor32Doc& d, int axis) -> double { return d.GetProfileMetrics(axis).secondMomentWidth; }},
    {0x002, 43, true, 3, "Second-Moment NA", "metricNA", "Second-Moment NA at %.1f\u00B0",
     [](const CVelor32Doc& d, int axis) -> double { return d.GetProfileMetrics(axis).secondMomentNA; }},
    {0x004, 44, true, 2, "Gaussian Fit Width", "metricFitWidth", "Gaussian Fit Width at %.1f\u00B0 (deg)",
     [](const CVelor32Doc& d, int axis) {
         const ProfileMetrics& m = d.GetProfileMetrics(axis);
         return Fitted(m, m.fitWidth);
     }},
    {0x008, 45, true, 2, "Gaussian Fit Center", "metricFitCenter", "Gaussian Fit Center at %.1f\u00B0 (deg)",
     [](const CVelor32Doc& d, int axis) {
         const ProfileMetrics& m = d.GetProfileMetrics(axis);
         return Fitted(m, m.fitCenter);
     }},
    {0x010, 46, true, 4, "Gaussian Fit R\u00B2", "metricFitQuality", "Gaussian Fit R\u00B2 at %.1f\u00B0",
     [](const CVelor32Doc& d, int axis) {
         const ProfileMetrics& m = d.GetProfileMetrics(axis);
         return Fitted(m, m.fitQuality);
     }},
    {0x020, 47, false, 2, "Major-Axis Divergence", "metricMajor", "Major-Axis Divergence (deg)",
     [](const CVelor32Doc& d, int) -> double { return d.GetBeamShape().majorDivergence; }},
    {0x040, 48, false, 2, "Minor-Axis Divergence", "metricMinor", "Minor-Axis Divergence (deg)",
     [](const CVelor32Doc& d, int) -> double { return d.GetBeamShape().minorDivergence; }},
    {0x080, 49, false, 3, "Ellipticity", "metricEllipticity", "Ellipticity",
     [](const CVelor32Doc& d, int) -> double { return d.GetBeamShape().ellipticity; }},
    {0x100, 50, false, 1, "Orientation", "metricOrientation", "Major-Axis Orientation (deg)",
     [](const CVelor32Doc& d, int) -> double { return d.GetBeamShape().orientation; }},
    // 0 where the near field cannot be formed, as the mode-field diameter's row shows it.
    {0x200, 51, true, 2, "Effective Area", "metricEffectiveArea", "Effective Area at %.1f\u00B0 (\u00B5m\u00B2)",
     [](const CVelor32Doc& d, int axis) -> double { return d.GetEffectiveArea(axis); }},
};

}  // namespace

std::span<const BeamMetricKind> BeamMetricKinds() { return kKinds; }

uint32_t BeamMetricBits() {
    uint32_t bits = 0;
    for (const BeamMetricKind& kind : kKinds) bits |= kind.bit;
    return bits;
}

}  // namespace velor
