#include "instrument/board/SimulatedBoard.h"

#include <algorithm>
#include <cmath>

namespace velor {
namespace {

// The gain amplifies the detector signal by 20 dB per 20 codes.
double GainFactor(int code) { return std::pow(10.0, code / 20.0); }

// What the detector sees with the source off.
class NoLight final : public sim::BeamModel {
public:
    double Intensity(double, double) const override { return 0.0; }
    std::string Describe() const override { return "no source"; }
};

}  // namespace

SimulatedBoard::SimulatedBoard(std::shared_ptr<const sim::BeamModel> source,
                               const SimulatedBoardSettings& settings,
                               const MillisecondClock& clock, Sleeper& sleeper)
    : m_source(std::move(source)),
      m_settings(settings),
      m_clock(clock),
      m_sleeper(sleeper),
      m_rng(settings.sweep.seed) {}

int SimulatedBoard::Tesk32_InitCard(int, int) {
    m_inProgress = false;
    m_haveCapture = false;
    return 1;
}

int SimulatedBoard::Tesk32_GetHeadType(int, int* headVariant) {
    if (headVariant) *headVariant = m_settings.headVariant;
    return m_settings.headType;
}

int SimulatedBoard::Tesk32_SetSignalGain(int, int gainCode) {
    m_gain = std::clamp(gainCode, 0, 185);
    return 0;
}

int SimulatedBoard::Tesk32_SetFine(int, int value) {
    m_phiDeg = (value - 1) / 18.0;
    return 0;
}

int SimulatedBoard::Tesk32_IsPulsedSystem(int) { return m_settings.pulsedSystem ? 1 : 0; }

int SimulatedBoard::Tesk32_TriggerData(int) {
    // The sweep runs at the azimuth and gain in force now; it can be read once it is over.
    m_sweep = Capture();
    m_inProgress = true;
    m_haveCapture = false;
    m_triggeredAt = m_clock.Now();
    return 0;
}

int SimulatedBoard::Tesk32_IsScanReady(int) {
    if (m_inProgress && m_clock.Now() - m_triggeredAt >= CaptureTimeMs()) {
        m_inProgress = false;
        m_haveCapture = true;
    }
    return m_haveCapture ? 1 : 0;
}

int SimulatedBoard::Tesk32_DaqInProgress(int unit) {
    Tesk32_IsScanReady(unit);
    return m_inProgress ? 1 : 0;
}

int SimulatedBoard::Tesk32_ReadData(int unit, uint16_t* buffer, int count) {
    if (!Tesk32_IsScanReady(unit) || !buffer || count <= 0) return 0;
    const int n = std::min(count, kSamplesPerSweep);
    std::copy_n(m_sweep.begin(), n, buffer);
    return n;
}

int SimulatedBoard::Tesk32_CapReadData(int unit, uint16_t* buffer, int count) {
    Tesk32_TriggerData(unit);
    m_sleeper.SleepMs(CaptureTimeMs());
    return Tesk32_ReadData(unit, buffer, count);
}

sim::RawSweep SimulatedBoard::Capture() {
    ++m_captures;
    static const NoLight kDark;
    const sim::BeamModel& source = m_source ? *m_source : kDark;
    sim::SweepSettings settings = m_settings.sweep;
    settings.peakCounts *= GainFactor(m_gain);
    sim::RawSweep sweep = sim::SimulateSweep(source, m_phiDeg, m_settings.storedDistanceCm, settings, m_rng);
    if (m_settings.pulseFrequencyKHz <= 0.0) return sweep;

    // A pulsed source lights the detector only in short pulses along the sweep (one every
    // 64.8 / f samples, twice as often on a pulsed board); between them it sees the dark level.
    double period = 64.8 / m_settings.pulseFrequencyKHz;
    if (m_settings.pulsedSystem) period /= 2.0;
    if (period <= 1.0) return sweep;
    const sim::RawSweep dark = sim::SimulateSweep(kDark, m_phiDeg, m_settings.storedDistanceCm, settings, m_rng);
    // Each pulse an eighth of a period long, at least one sample.
    const double width = std::max(1.0, std::round(period / 8.0));
    for (int w = 0; w < kSamplesPerProfile; ++w) {
        const int j = kSamplesPerProfile - 1 - w;
        if (std::fmod(static_cast<double>(j), period) >= width) sweep[w] = dark[w];
    }
    return sweep;
}

}  // namespace velor
