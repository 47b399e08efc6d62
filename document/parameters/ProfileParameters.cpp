// Beam parameters of the document's profiles: widths at clip levels, numerical aperture,
// the width ratio of the two axes, centroid and peak angles, amplitude at an angle and the
// mode-field diameter. Nothing is cached; every call reads the current profile.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "document/Velor32Doc.h"
#include "document/parameters/ProfileMath.h"
#include "quarn/quarn.h"

namespace velor {
namespace {

// Degrees per radian as the parameter tables have always shown them.
constexpr float kDegreesPerRadianF = 57.29578f;
constexpr float kFullScale = 65535.0f;
// Samples below this many counts are noise to the mode-field diameter. In a profile stitched
// from several gain ranges the counts are those of the highest range, which resolves ten times
// finer per range: the floor lies 10^(R − 1) times lower in the base range's counts.
constexpr uint16_t kModeFieldThreshold = 16;

float RangeScale(int ranges) {
    float scale = 1.0f;
    for (int r = 1; r < ranges; ++r) scale *= 10.0f;
    return scale;
}

bool ValidAxis(int axis) { return axis == 0 || axis == 1; }

// Clip level in percent to tenths of a percent, truncated, kept within the 16-bit range.
uint16_t ClipFromPercent(float percent) {
    const float tenths = std::trunc(percent * 10.0f);
    if (!(tenths >= 0.0f)) return 0;
    return static_cast<uint16_t>(std::min(tenths, 65535.0f));
}

}  // namespace

const float* CVelor32Doc::AxisAngles(int axis) const {
    return IsCrossSectionMode() ? m_arrays.profileAngles[axis].data() : m_arrays.angleGrid.data();
}

float CVelor32Doc::AxisAngleDegrees(int axis, int index) const {
    return IsCrossSectionMode() ? GetProfileAngle(index, 0, axis) : GetGridAngle(index, 0);
}

uint16_t CVelor32Doc::AxisIndexAtDegrees(int axis, float degrees) const {
    return IsCrossSectionMode() ? FindProfileIndex(degrees, kUnitsDegreesIn, axis)
                                : FindGridIndex(degrees, kUnitsDegreesIn);
}

float CVelor32Doc::GetAngularWidth(int axis, uint16_t clip) const {
    if (!ValidAxis(axis)) return 0.0f;
    float left = 0.0f;
    float right = 0.0f;
    FindClipCrossings(m_arrays.profile[axis].data(), m_nNumPoints[axis], m_fPeakValue[axis],
                      m_nPeakIndex[axis], clip, &left, &right);
    // The width runs between the samples the crossings fall after.
    const float width = AxisAngleDegrees(axis, static_cast<int>(right)) -
                        AxisAngleDegrees(axis, static_cast<int>(left));
    return width < 0.0f ? 0.0f : width;
}

float CVelor32Doc::GetNumericalAperture(int axis, uint16_t clip) const {
    return static_cast<float>(std::sin(GetAngularWidth(axis, clip) * std::numbers::pi / 360.0));
}

float CVelor32Doc::GetWidthRatio(uint16_t clip) const {
    if (m_nNumPoints[0] == 0 || m_nNumPoints[1] == 0 || m_nScanMode != 2) return 0.0f;
    const float w0 = GetAngularWidth(0, clip);
    if (w0 == 0.0f) return 0.0f;
    const float w1 = GetAngularWidth(1, clip);
    if (w1 == 0.0f) return 0.0f;
    return w0 / w1;
}

float CVelor32Doc::GetCentroidAngle(int axis) const {
    if (!ValidAxis(axis) || m_nNumPoints[axis] == 0) return 0.0f;
    double centroid = 0.0;
    ComputeCentroid(m_arrays.profile[axis].data(), AxisAngles(axis), m_nNumPoints[axis],
                    m_fNoise[axis], &centroid);
    return static_cast<float>(centroid) * kDegreesPerRadianF;
}

float CVelor32Doc::GetPeakAngle(int axis) const {
    if (!ValidAxis(axis)) return 0.0f;
    // The first strict maximum, without the edge rule of the stored peak.
    const float* y = m_arrays.profile[axis].data();
    float best = 0.0f;
    int at = -1;
    for (int i = 0; i < m_nNumPoints[axis]; ++i) {
        if (y[i] > best) {
            best = y[i];
            at = i;
        }
    }
    // No sample above zero (or none at all): no peak, and like every parameter that cannot
    // be computed, 0 rather than the angle of the first sample.
    return at < 0 ? 0.0f : AxisAngleDegrees(axis, at);
}

float CVelor32Doc::GetAmplitudeAt(int axis, float angleDegrees) const {
    if (!ValidAxis(axis)) return 0.0f;
    const int n = m_nNumPoints[axis];
    if (n == 0) return 0.0f;
    if (AxisAngleDegrees(axis, 0) > angleDegrees || AxisAngleDegrees(axis, n - 1) < angleDegrees) {
        return 0.0f;
    }
    const float* y = m_arrays.profile[axis].data();
    const int k = std::min<int>(AxisIndexAtDegrees(axis, angleDegrees), n - 1);
    const float ak = AxisAngleDegrees(axis, k);
    float value;
    if (ak == angleDegrees || k == 0) {
        value = y[k];
    } else {
        const float ak1 = AxisAngleDegrees(axis, k - 1);
        value = y[k - 1] + (angleDegrees - ak1) * (y[k] - y[k - 1]) / (ak - ak1);
    }
    switch (m_nUnits) {
        case 1:
            return value;
        case 2:
            return value * m_fIntensityFactor;
        default:
            return value / kFullScale;
    }
}

bool CVelor32Doc::ModeFieldWindow(int axis, int* lower, int* upper, float* centre) const {
    if (!ValidAxis(axis)) return false;
    const int n = m_nNumPoints[axis];
    const float floor = kModeFieldThreshold / RangeScale(GetAxisRanges(axis));
    double centroid = 0.0;
    if (!ComputeCentroid(m_arrays.profile[axis].data(), AxisAngles(axis), n, floor, &centroid)) {
        return false;
    }
    *centre = static_cast<float>(centroid);
    const float centreDegrees = *centre * kDegreesPerRadianF;
    *lower = AxisIndexAtDegrees(axis, centreDegrees - m_fAngularLimit);
    // The grid lookup knows nothing of the profile's length; stay within its points.
    *upper = std::min<int>(AxisIndexAtDegrees(axis, centreDegrees + m_fAngularLimit), n - 1);
    return true;
}

float CVelor32Doc::GetModeFieldDiameter(int axis) const {
    int lower = 0, upper = 0;
    float centre = 0.0f;
    if (!ModeFieldWindow(axis, &lower, &upper, &centre)) return 0.0f;
    // The library's threshold is a whole count: a stitched profile goes to it in the highest
    // range's counts, where the floor is 16 again (the diameter does not depend on the scale).
    const float* profile = m_arrays.profile[axis].data();
    std::vector<float> inHighestRange;
    if (const float scale = RangeScale(GetAxisRanges(axis)); scale != 1.0f) {
        inHighestRange.assign(profile, profile + m_nNumPoints[axis]);
        for (float& sample : inHighestRange) sample *= scale;
        profile = inHighestRange.data();
    }
    float mfd = 0.0f;
    if (!Quarn_ComputeMFD(m_nNumPoints[axis], profile, AxisAngles(axis), kModeFieldThreshold,
                          static_cast<uint16_t>(lower), static_cast<uint16_t>(upper), centre, m_fWavelength,
                          &mfd)) {
        return 0.0f;
    }
    return mfd;
}

CVelor32Doc::ModeFieldSupport CVelor32Doc::GetModeFieldSupport(int axis) const {
    int lower = 0, upper = 0;
    float centre = 0.0f;
    if (!ModeFieldWindow(axis, &lower, &upper, &centre)) return {};
    const float* y = m_arrays.profile[axis].data();
    const float* angles = AxisAngles(axis);
    const float scale = RangeScale(GetAxisRanges(axis));
    ModeFieldSupport support;
    float peak = 0.0f;
    int first = -1, last = -1;
    for (int i = lower; i <= upper; ++i) {
        peak = std::max(peak, y[i]);
        if (!(y[i] * scale >= kModeFieldThreshold)) continue;  // as the integral leaves it out
        if (first < 0) first = i;
        last = i;
    }
    if (first < 0) return {};
    support.dynamicRangeDb =
        static_cast<float>(10.0 * std::log10(double{peak} * double{scale} / kModeFieldThreshold));
    support.fromDegrees = (angles[first] - centre) * kDegreesPerRadianF;
    support.toDegrees = (angles[last] - centre) * kDegreesPerRadianF;
    return support;
}

float CVelor32Doc::GetPeakWidth(float clipPercent) const {
    return GetAngularWidth(m_nSelectedAxis, ClipFromPercent(clipPercent));
}

float CVelor32Doc::GetNA(float clipPercent) const {
    return GetNumericalAperture(m_nSelectedAxis, ClipFromPercent(clipPercent));
}

}  // namespace velor
