// The document's automation properties and array methods: what another program reads and
// sets through the automation interface.

#include <algorithm>

#include "instrument/geometry/AngleGrid.h"
#include "document/SettingsLimits.h"
#include "document/UpdateHints.h"
#include "document/Velor32Doc.h"

namespace velor {

void CVelor32Doc::SetShowWindow(bool show) {
    m_bShowWindow = show ? 1 : 0;
    m_env.frame.ShowMainWindow(show);
}

void CVelor32Doc::SetApertureSourceDistance(float distance) {
    // The same range the distance dialog accepts; anything else is ignored, as setters do.
    if (!IsValidUserDistance(distance)) return;
    m_fDistance = distance + kApertureOffset;
    const bool wasOn = IsAcquiring();
    if (wasOn) SetAcquisition(false);
    ReallocateArrays();
    // The 3D data went with the arrays; do not claim otherwise.
    m_b3DValid = 0;
    m_fCalCounts = 0.0f;
    // Without its calibration the intensity factor is a stale one: units fall back to relative,
    // as the dialog's path has them do.
    const bool wasIntensity = m_nUnits == 2;
    if (wasIntensity) m_nUnits = 0;
    RefreshStatusBar();
    m_fAngularLimit = std::min(m_fAngularLimit, GetFieldOfView(0));
    if (wasIntensity) UpdateAllViews(UM_UNITS);
    if (wasOn) SetAcquisition(true);
}

void CVelor32Doc::SetDataIncrement(int16_t increment) {
    // A stride below 1 has no meaning (and would divide by zero in GetNumPts).
    if (increment < 1) return;
    m_nDataIncrement = static_cast<uint16_t>(increment);
}

void CVelor32Doc::SetAngularLimit(float degrees) {
    // Negative or not a number: no limit the dialog would take, ignored as setters do.
    if (!IsValidAngularLimit(std::min(degrees, kMaxAngularLimitDeg))) return;
    m_fAngularLimit = std::min(degrees, GetFieldOfView(0));
}

void CVelor32Doc::SetBlindSpotCorrection(bool on) { m_bBlindSpot = on ? 1 : 0; }

void CVelor32Doc::SetWavelength(float nm) {
    if (IsValidWavelength(nm)) m_fWavelength = nm;
}

void CVelor32Doc::SetPulsedMode(bool on) { m_bPulsed = on ? 1 : 0; }

void CVelor32Doc::SetSourceFrequency(float kHz) {
    if (IsValidSourceFrequency(kHz)) m_fSourceFreq = kHz;
}

int16_t CVelor32Doc::GetNumPts() const {
    return static_cast<int16_t>(GetNumPoints(m_nSelectedAxis) / m_nDataIncrement);
}

std::vector<float> CVelor32Doc::GetProfileDataArray() const {
    const int n = GetNumPts();
    std::vector<float> values(std::max(n, 0));
    const std::vector<float>& profile = m_arrays.profile[m_nSelectedAxis & 1];
    for (int k = 0; k < n; ++k) values[k] = profile[static_cast<size_t>(k) * m_nDataIncrement];
    return values;
}

std::vector<float> CVelor32Doc::GetProfileAngleArray() const {
    const int n = GetNumPts();
    std::vector<float> values(std::max(n, 0));
    const std::vector<float>& angles =
        IsCrossSectionMode() ? m_arrays.profileAngles[m_nSelectedAxis & 1] : m_arrays.angleGrid;
    for (int k = 0; k < n; ++k) values[k] = angles[static_cast<size_t>(k) * m_nDataIncrement];
    return values;
}

}  // namespace velor
