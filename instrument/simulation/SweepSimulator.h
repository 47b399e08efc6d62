#pragma once
// Raw sweeps as the acquisition board delivers them for a simulated source, and the profile
// that processing them should give.
//
// Word w (0..3240) of a sweep is profile sample j = 3240 - w; words 3241..4095 see no light.
// The detector's signal at sample j is the intensity in its direction, weakened by the inverse
// square of its distance and the obliquity of its face: peakCounts * I(theta_j) / weight_j.
// Sample j lies in the sweep plane at azimuth phi for theta_j >= 0, at phi + 180 deg otherwise.

#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "instrument/geometry/SweepGeometry.h"
#include "instrument/simulation/BeamModel.h"

namespace velor::sim {

struct SweepSettings {
    double peakCounts = 50000.0;  // counts that unit intensity on the axis gives
    double darkOffset = 300.0;    // counts added to every word
    double noiseRms = 2.0;        // Gaussian noise on every word, counts
    uint32_t seed = 1;            // for the overload that seeds its own generator
};

using RawSweep = std::array<uint16_t, kSamplesPerSweep>;

// One sweep in the plane at azimuth phiDeg, the source at the stored distance D (cm): signal
// plus dark offset plus noise drawn from rng, rounded and clipped to 0..65535. Throws
// std::invalid_argument for D <= 0, negative counts or noise.
RawSweep SimulateSweep(const BeamModel& model, double phiDeg, float storedDistanceCm,
                       const SweepSettings& settings, std::mt19937& rng);

// The same with a generator seeded with settings.seed: the same seed gives the same words.
RawSweep SimulateSweep(const BeamModel& model, double phiDeg, float storedDistanceCm,
                       const SweepSettings& settings);

// Noise-free processed profile on the 3241-sample grid: peakCounts * I(theta_j).
std::vector<float> IdealProfile(const BeamModel& model, double phiDeg, float storedDistanceCm,
                                double peakCounts);

}  // namespace velor::sim
