#pragma once
// The simulated instrument's detector: what one sweep of the acquisition board shows of a
// simulated source at a given azimuth and gain, with the dark level, the noise, the clipping
// at full scale and, for a pulsed source, the dark gaps between its pulses.

#include <cstdint>
#include <random>

#include "instrument/simulation/BeamModel.h"
#include "instrument/simulation/SweepSimulator.h"

namespace velor {

struct SimulatedBoardSettings {
    int headType = 0;           // 0 InGaAs, 1 Si; anything else a head the program does not know
    int headVariant = 0;        // selects the motion speed set
    bool pulsedSystem = false;  // a pulsed board captures 5 sweeps a second instead of 10
    int boardVersion = 1;       // of the acquisition unit: 0 (8-bit samples), 1 or 3
    float storedDistanceCm = 3.65f;  // where the source really sits (user distance + 1.65)
    double pulseFrequencyKHz = 0.0;  // a pulsed source's repetition rate; 0 for a steady one
    sim::SweepSettings sweep;        // counts at gain 0, dark level, noise, seed
};

namespace sim {

// Milliseconds one sweep takes.
uint32_t SweepTimeMs(bool pulsedSystem);

// The amplification of a gain in dB: 20 dB is a factor of 10.
double GainFactor(double gainDb);

// One sweep of `source` (none: the source is off) in the plane at phiDeg, amplified by gainDb.
// Throws std::invalid_argument when the settings describe no sweep (see SimulateSweep), which
// a gain can cause by making the counts overflow.
RawSweep DetectorSweep(const BeamModel* source, double phiDeg, double gainDb,
                       const SimulatedBoardSettings& settings, std::mt19937& rng);

}  // namespace sim
}  // namespace velor
