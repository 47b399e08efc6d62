#include "document/SettingsLimits.h"

#include <cmath>
#include <cstring>

#include "document/Velor32DocLSData.h"

namespace velor {
namespace {

// The distance is stored with the aperture offset added in single precision; a value the
// dialog accepted comes back within this of its bounds.
constexpr float kDistanceSlack = 1e-4f;

constexpr int kMaxFilter = 99;
constexpr int kMaxAveraging = 32767;

bool IsFiniteNonNegative(float value) { return std::isfinite(value) && value >= 0.0f; }

}  // namespace

bool IsValidGainCode(int gain) { return gain >= 0 && gain <= kMaxGainCode; }

bool IsValidUserDistance(float centimetres) {
    return std::isfinite(centimetres) && centimetres >= -kDistanceSlack &&
           centimetres <= kMaxUserDistanceCm + kDistanceSlack;
}

bool IsValidWavelength(float nm) { return std::isfinite(nm) && nm > 0.0f; }

bool IsValidAngularLimit(float degrees) {
    return IsFiniteNonNegative(degrees) && degrees <= kMaxAngularLimitDeg;
}

bool IsValidSourceFrequency(float kHz) { return std::isfinite(kHz) && kHz > 0.0f; }

bool IsValidReferencePower(float power) { return std::isfinite(power) && power > 0.0f; }

bool CheckLoadedSettings(CVelor32DocLSData& s) {
    if (!std::memchr(s.m_szRefUnits, 0, sizeof s.m_szRefUnits)) {
        s.m_szRefUnits[sizeof s.m_szRefUnits - 1] = '\0';
    }
    return IsValidGainCode(s.m_nSignalGain) && IsValidGainCode(s.m_nCalGain) &&
           IsValidGainCode(s.m_n3DGain) &&
           // 3 exists only while a 3D run holds the document, which nothing can save.
           (s.m_nScanMode == 0 || s.m_nScanMode == 2) &&
           s.m_nFilter >= 1 && s.m_nFilter <= kMaxFilter &&
           s.m_nAveraging >= 1 && s.m_nAveraging <= kMaxAveraging &&
           IsAllowedScans3D(s.m_nScans3D) &&
           IsValidUserDistance(s.m_fDistance - kApertureOffset) &&
           std::isfinite(s.m_fPhi) && s.m_fPhi >= 0.0f && s.m_fPhi < 360.0f &&
           std::isfinite(s.m_fNoise[0]) && std::isfinite(s.m_fNoise[1]) &&
           IsValidReferencePower(s.m_fRefPower) && IsFiniteNonNegative(s.m_fCalCounts) &&
           s.m_nUnits <= 2 && IsValidAngularLimit(s.m_fAngularLimit) &&
           IsValidWavelength(s.m_fWavelength) && IsValidSourceFrequency(s.m_fSourceFreq);
}

}  // namespace velor
