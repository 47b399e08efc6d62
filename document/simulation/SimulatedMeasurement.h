#pragma once
// A whole measurement taken from a simulated source: the N + 1 azimuth scans and the two
// axes, each a raw sweep run through the document's own processing, then the 3D analysis and
// the calibration a real 3D acquisition ends with.

#include <cstdint>

#include "instrument/simulation/BeamModel.h"
#include "instrument/simulation/SweepSimulator.h"

namespace velor {

class CVelor32Doc;

struct SimulationOptions {
    float distanceCm = 2.0f;   // the user's aperture-source distance
    uint16_t scans3D = 50;     // 10, 20, 50, 100 or 200
    bool perpendicular = false;
    float phiDeg = 0.0f;       // azimuth of axis 0
    float wavelengthNm = 1310.0f;
    uint16_t gain = 0;         // recorded as the signal and 3D gain
    sim::SweepSettings sweep;
};

// Fills the document; false (document unchanged beyond its arrays) for options no
// acquisition could have produced.
bool SimulateMeasurement(CVelor32Doc& doc, const sim::BeamModel& model,
                         const SimulationOptions& options);

}  // namespace velor
