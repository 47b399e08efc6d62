#pragma once
// The counts-to-intensity factor K: W/sr per count, from the reference power the user entered
// and the total cone power recorded then.

#include <cstdint>

namespace velor {

struct IntensityCalibration {
    uint16_t gain;        // signal gain now
    uint16_t calGain;     // gain when the calibration was taken
    float refPower;       // P
    float calCounts;      // C, 0 = no calibration
    float storedDistance; // D (user distance + 1.65)
};

// K for a calibration; previousK when there is none (C = 0).
float ComputeIntensityFactor(const IntensityCalibration& cal, float previousK);

}  // namespace velor
