#include "document/parameters/StandardParameters.h"

#include <limits>

#include "document/Velor32Doc.h"

namespace velor {
namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
constexpr uint16_t kClip135 = 135;

double Fitted(const ProfileMetrics& m, float value) { return m.fitted ? double{value} : kNoValue; }

const ParameterEntry kEntries[] = {
    {"width_13.5", ParameterScope::Axis, "13.5%% Angular Width at %.1f\u00B0 (deg)", 1, "deg",
     [](const CVelor32Doc& d, int axis) -> double { return d.GetAngularWidth(axis, kClip135); }},
    {"na_13.5", ParameterScope::Axis, "13.5%% Numerical Aperture at %.1f\u00B0", 3, "1",
     [](const CVelor32Doc& d, int axis) -> double { return d.GetNumericalAperture(axis, kClip135); }},
    {"centroid", ParameterScope::Axis, "Angular Centroid at %.1f\u00B0 (deg)", 1, "deg",
     [](const CVelor32Doc& d, int axis) -> double { return d.GetCentroidAngle(axis); }},
    {"peak", ParameterScope::Axis, "Angular Peak at %.1f\u00B0 (deg)", 1, "deg",
     [](const CVelor32Doc& d, int axis) -> double { return d.GetPeakAngle(axis); }},
    {"mfd", ParameterScope::Axis, "Mode-Field Diameter at %.1f\u00B0 (\u00B5m)", 2, "um",
     [](const CVelor32Doc& d, int axis) -> double { return d.GetModeFieldDiameter(axis); }},
    // What the diameter rests on: the peak over the floor below which samples are left out.
    {"mfd_dynamic_range_db", ParameterScope::Axis, "MFD Dynamic Range at %.1f\u00B0 (dB)", 1, "dB",
     [](const CVelor32Doc& d, int axis) -> double { return d.GetModeFieldSupport(axis).dynamicRangeDb; }},
    // Zero where the near field cannot be formed; low by up to a few percent for a step-index
    // fiber whose far field hides its first side lobe (see the document's area note).
    {"aeff", ParameterScope::Axis, "Effective Area at %.1f\u00B0 (\u00B5m\u00B2)", 2, "um2",
     [](const CVelor32Doc& d, int axis) -> double { return d.GetEffectiveArea(axis); }},
    {"second_moment_width", ParameterScope::Axis, "Second-Moment Width at %.1f\u00B0 (deg)", 2, "deg",
     [](const CVelor32Doc& d, int axis) -> double { return d.GetProfileMetrics(axis).secondMomentWidth; }},
    {"second_moment_na", ParameterScope::Axis, "Second-Moment NA at %.1f\u00B0", 3, "1",
     [](const CVelor32Doc& d, int axis) -> double { return d.GetProfileMetrics(axis).secondMomentNA; }},
    {"fit_width", ParameterScope::Axis, "Gaussian Fit Width at %.1f\u00B0 (deg)", 2, "deg",
     [](const CVelor32Doc& d, int axis) {
         const ProfileMetrics& m = d.GetProfileMetrics(axis);
         return Fitted(m, m.fitWidth);
     }},
    {"fit_center", ParameterScope::Axis, "Gaussian Fit Center at %.1f\u00B0 (deg)", 2, "deg",
     [](const CVelor32Doc& d, int axis) {
         const ProfileMetrics& m = d.GetProfileMetrics(axis);
         return Fitted(m, m.fitCenter);
     }},
    {"fit_r2", ParameterScope::Axis, "Gaussian Fit R\u00B2 at %.1f\u00B0", 4, "1",
     [](const CVelor32Doc& d, int axis) {
         const ProfileMetrics& m = d.GetProfileMetrics(axis);
         return Fitted(m, m.fitQuality);
     }},
    {"ratio_13.5", ParameterScope::BothAxes, "Angle Ratio at 13.5 % Width", 2, "1",
     [](const CVelor32Doc& d, int) -> double { return d.GetWidthRatio(kClip135); }},
    {"major_divergence", ParameterScope::DataSet3D, "Major-Axis Divergence (deg)", 2, "deg",
     [](const CVelor32Doc& d, int) -> double { return d.GetBeamShape().majorDivergence; }},
    {"minor_divergence", ParameterScope::DataSet3D, "Minor-Axis Divergence (deg)", 2, "deg",
     [](const CVelor32Doc& d, int) -> double { return d.GetBeamShape().minorDivergence; }},
    {"ellipticity", ParameterScope::DataSet3D, "Ellipticity", 3, "1",
     [](const CVelor32Doc& d, int) -> double { return d.GetBeamShape().ellipticity; }},
    {"orientation", ParameterScope::DataSet3D, "Major-Axis Orientation (deg)", 1, "deg",
     [](const CVelor32Doc& d, int) -> double { return d.GetBeamShape().orientation; }},
};

}  // namespace

std::span<const ParameterEntry> StandardParameters() { return kEntries; }

bool ParameterApplies(const ParameterEntry& entry, const CVelor32Doc& document) {
    switch (entry.scope) {
        case ParameterScope::Axis: return true;
        case ParameterScope::BothAxes: return document.IsPerpendicular();
        case ParameterScope::DataSet3D: return document.m_b3DValid != 0;
    }
    return false;
}

QString ParameterName(const ParameterEntry& entry, const CVelor32Doc& document, int axis) {
    if (entry.scope != ParameterScope::Axis) return QString::fromUtf8(entry.name);
    return QString::asprintf(entry.name, static_cast<double>(document.GetPhi(axis, 0)));
}

}  // namespace velor
