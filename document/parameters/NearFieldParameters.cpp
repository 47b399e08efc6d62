// The document's near field and effective area: the chain of document/analysis on the axis's
// far field, over the samples and above the floor its mode-field diameter rests on, kept until
// what it was computed from changes.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "document/Velor32Doc.h"

namespace velor {
namespace {

bool SameValues(const std::vector<float>& kept, const float* values, int n) {
    return static_cast<int>(kept.size()) == n && (n == 0 || std::memcmp(kept.data(), values, n * sizeof(float)) == 0);
}

}  // namespace

const NearField& CVelor32Doc::GetNearField(int axis) const {
    static const NearField kNoAxis = NoNearField(QStringLiteral("no such axis"));
    if (axis != 0 && axis != 1) return kNoAxis;
    const int n = m_nNumPoints[axis];
    const float* profile = m_arrays.profile[axis].data();
    const float* angles = AxisAngles(axis);
    // The floor follows the mode-field diameter's; its dynamic range stands for it here.
    const ModeFieldSupport support = GetModeFieldSupport(axis);

    NearFieldCache& cache = m_nearField[axis];
    if (cache.filled && SameValues(cache.profile, profile, n) && SameValues(cache.angles, angles, n) &&
        cache.wavelength == m_fWavelength && cache.angularLimit == m_fAngularLimit &&
        cache.dynamicRangeDb == support.dynamicRangeDb) {
        return cache.field;
    }

    FarFieldScan scan;
    scan.profile = {profile, static_cast<size_t>(n)};
    scan.angles = {angles, static_cast<size_t>(n)};
    scan.wavelengthNm = m_fWavelength;
    int lower = 0, upper = -1;
    float centre = 0.0f;
    if (n > 0 && support.dynamicRangeDb > 0.0f && ModeFieldWindow(axis, &lower, &upper, &centre)) {
        scan.first = lower;
        scan.last = upper;
        // The peak over the window is what the dynamic range was taken against.
        const float peak = *std::max_element(profile + lower, profile + upper + 1);
        // A hair lower, so that a sample standing exactly on the floor stays in, as it does there.
        scan.floor = static_cast<float>(peak / std::pow(10.0, support.dynamicRangeDb / 10.0) * (1.0 - 1e-6));
        scan.modeFieldDiameterUm = GetModeFieldDiameter(axis);
    }

    cache.filled = false;
    cache.profile.assign(profile, profile + n);
    cache.angles.assign(angles, angles + n);
    cache.wavelength = m_fWavelength;
    cache.angularLimit = m_fAngularLimit;
    cache.dynamicRangeDb = support.dynamicRangeDb;
    cache.field = ComputeNearField(scan);
    cache.filled = true;
    return cache.field;
}

float CVelor32Doc::GetEffectiveArea(int axis) const {
    const NearField& field = GetNearField(axis);
    return field.valid ? field.effectiveAreaUm2 : 0.0f;
}

QString CVelor32Doc::GetEffectiveAreaNote(int axis) const {
    const NearField& field = GetNearField(axis);
    if (!field.valid) return field.reason;
    return EffectiveAreaCaveat(field, GetModeFieldSupport(axis).dynamicRangeDb);
}

}  // namespace velor
