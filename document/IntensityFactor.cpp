#include "document/IntensityFactor.h"

#include <cmath>

#include "instrument/geometry/SweepGeometry.h"

namespace velor {
namespace {

double GainAttenuation(double gainDb) { return std::pow(10.0, -gainDb / 20.0); }

}  // namespace

float ComputeIntensityFactor(const IntensityCalibration& cal, float previousK) {
    if (cal.calCounts == 0.0f) return previousK;
    // K = a(g) · P · (D + R)² / C, evaluated as the calibrated system always has: through the
    // calibration gain (which cancels) and with (D + R)² in single precision.
    const float span = cal.storedDistance + kRotationRadius;
    const float spanSquared = span * span;
    const double ag = GainAttenuation(cal.gain);
    const double agc = GainAttenuation(cal.calGain);
    const double k = (ag / agc) * (cal.refPower / ((cal.calCounts / agc) / spanSquared));
    return static_cast<float>(k);
}

}  // namespace velor
