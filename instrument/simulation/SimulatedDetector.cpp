#include "instrument/simulation/SimulatedDetector.h"

#include <algorithm>
#include <cmath>

namespace velor::sim {
namespace {

// What the detector sees with the source off.
class NoLight final : public BeamModel {
public:
    double Intensity(double, double) const override { return 0.0; }
    std::string Describe() const override { return "no source"; }
};

}  // namespace

uint32_t SweepTimeMs(bool pulsedSystem) { return pulsedSystem ? 200 : 100; }

double GainFactor(double gainDb) { return std::pow(10.0, gainDb / 20.0); }

RawSweep DetectorSweep(const BeamModel* source, double phiDeg, double gainDb,
                       const SimulatedBoardSettings& settings, std::mt19937& rng) {
    static const NoLight kDark;
    const BeamModel& model = source != nullptr ? *source : kDark;
    SweepSettings sweepSettings = settings.sweep;
    sweepSettings.peakCounts *= GainFactor(gainDb);
    RawSweep sweep = SimulateSweep(model, phiDeg, settings.storedDistanceCm, sweepSettings, rng);
    if (settings.pulseFrequencyKHz <= 0.0) return sweep;

    // A pulsed source lights the detector only in short pulses along the sweep (one every
    // 64.8 / f samples, twice as often on a pulsed board); between them it sees the dark level.
    double period = 64.8 / settings.pulseFrequencyKHz;
    if (settings.pulsedSystem) period /= 2.0;
    if (period <= 1.0) return sweep;
    const RawSweep dark =
        SimulateSweep(kDark, phiDeg, settings.storedDistanceCm, sweepSettings, rng);
    // Each pulse an eighth of a period long, at least one sample.
    const double width = std::max(1.0, std::round(period / 8.0));
    for (int w = 0; w < kSamplesPerProfile; ++w) {
        const int j = kSamplesPerProfile - 1 - w;
        if (std::fmod(static_cast<double>(j), period) >= width) sweep[w] = dark[w];
    }
    return sweep;
}

}  // namespace velor::sim
