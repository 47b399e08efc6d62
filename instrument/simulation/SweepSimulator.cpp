#include "instrument/simulation/SweepSimulator.h"

#include "instrument/geometry/AngleGrid.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "instrument/simulation/ModelSupport.h"

namespace velor::sim {
namespace {

// Uniform in (0, 1), on the midpoints of 2^52 equal steps, from two 32-bit draws.
double UniformOpen(std::mt19937& rng) {
    const uint64_t high = rng() >> 6;  // 26 bits each
    const uint64_t low = rng() >> 6;
    return (static_cast<double>((high << 26) | low) + 0.5) / 4503599627370496.0;  // 2^52
}

// Standard normal deviate by Box-Muller. Written out rather than std::normal_distribution,
// whose algorithm differs between standard libraries: the same seed gives the same sweep
// whichever library built the program.
double StandardNormal(std::mt19937& rng) {
    const double radius = std::sqrt(-2.0 * std::log(UniformOpen(rng)));
    return radius * std::cos(2.0 * std::numbers::pi * UniformOpen(rng));
}

uint16_t ToWord(double counts) {
    const double rounded = std::floor(counts + 0.5);
    if (!(rounded > 0.0)) return 0;  // also NaN
    return rounded >= 65535.0 ? uint16_t{65535} : static_cast<uint16_t>(rounded);
}

// Intensity at profile sample theta (signed, in the sweep plane at phiRad).
double PlaneIntensity(const BeamModel& model, double phiRad, float theta) {
    return theta >= 0.0f ? model.Intensity(theta, phiRad)
                         : model.Intensity(-double{theta}, phiRad + std::numbers::pi);
}

void CheckDistance(float storedDistanceCm) {
    detail::RequirePositive(storedDistanceCm, "Source distance");
}

}  // namespace

RawSweep SimulateSweep(const BeamModel& model, double phiDeg, float storedDistanceCm,
                       const SweepSettings& settings, std::mt19937& rng) {
    CheckDistance(storedDistanceCm);
    detail::RequireFinite(phiDeg, "Sweep azimuth");
    if (!(settings.peakCounts >= 0.0) || !(settings.darkOffset >= 0.0) ||
        !(settings.noiseRms >= 0.0) ||
        !std::isfinite(settings.peakCounts + settings.darkOffset + settings.noiseRms)) {
        throw std::invalid_argument("Counts and noise must be non-negative numbers");
    }
    const SweepGrid grid = MakeSweepGrid(storedDistanceCm);
    const double phiRad = phiDeg * std::numbers::pi / 180.0;
    RawSweep words{};
    for (int w = 0; w < kSamplesPerSweep; ++w) {
        double counts = settings.darkOffset;
        if (w < kSamplesPerProfile) {
            const int j = kSamplesPerProfile - 1 - w;  // the board delivers the sweep reversed
            counts +=
                settings.peakCounts * PlaneIntensity(model, phiRad, grid.theta[j]) / grid.weight[j];
        }
        // Every word draws its noise, so the stream does not depend on the settings.
        counts += settings.noiseRms * StandardNormal(rng);
        words[w] = ToWord(counts);
    }
    return words;
}

RawSweep SimulateSweep(const BeamModel& model, double phiDeg, float storedDistanceCm,
                       const SweepSettings& settings) {
    std::mt19937 rng(settings.seed);
    return SimulateSweep(model, phiDeg, storedDistanceCm, settings, rng);
}

std::vector<float> IdealProfile(const BeamModel& model, double phiDeg, float storedDistanceCm,
                                double peakCounts) {
    CheckDistance(storedDistanceCm);
    const SweepGrid grid = MakeSweepGrid(storedDistanceCm);
    const double phiRad = phiDeg * std::numbers::pi / 180.0;
    std::vector<float> profile(kSamplesPerProfile);
    for (int j = 0; j < kSamplesPerProfile; ++j) {
        profile[j] = static_cast<float>(peakCounts * PlaneIntensity(model, phiRad, grid.theta[j]));
    }
    return profile;
}

}  // namespace velor::sim
