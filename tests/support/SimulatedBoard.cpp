#include "tests/support/SimulatedBoard.h"

#include <algorithm>

namespace velor::test {

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
    ++m_captures;
    m_sweep = sim::DetectorSweep(m_source.get(), m_phiDeg, m_gain, m_settings, m_rng);
    m_inProgress = true;
    m_haveCapture = false;
    m_triggeredAt = m_clock.Now();
    return 0;
}

int SimulatedBoard::Tesk32_IsScanReady(int) {
    if (m_inProgress && m_clock.Now() - m_triggeredAt >= sim::SweepTimeMs(m_settings.pulsedSystem)) {
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
    m_sleeper.SleepMs(sim::SweepTimeMs(m_settings.pulsedSystem));
    return Tesk32_ReadData(unit, buffer, count);
}

}  // namespace velor::test
