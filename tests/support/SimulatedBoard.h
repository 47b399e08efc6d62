#pragma once
// A test double of the board access for the document's acquisition tests: it sweeps the
// simulated detector straight from the ten calls, without the board library, so that a test
// may hold several stations at once and look at each sweep it delivered. The fine value gives
// the azimuth (1 + 18·phi); a capture takes its time on the injectable clock.

#include <memory>
#include <random>

#include "common/Clock.h"
#include "instrument/board/Tesk32.h"
#include "instrument/simulation/SimulatedDetector.h"

namespace velor::test {

class SimulatedBoard final : public Tesk32 {
public:
    SimulatedBoard(std::shared_ptr<const sim::BeamModel> source, const SimulatedBoardSettings& settings,
                   const MillisecondClock& clock, Sleeper& sleeper);

    int Tesk32_InitCard(int unit, int ioAddress) override;
    int Tesk32_GetHeadType(int unit, int* headVariant) override;
    int Tesk32_SetSignalGain(int unit, int gainCode) override;
    int Tesk32_SetFine(int unit, int value) override;
    int Tesk32_IsPulsedSystem(int unit) override;
    int Tesk32_TriggerData(int unit) override;
    int Tesk32_IsScanReady(int unit) override;
    int Tesk32_DaqInProgress(int unit) override;
    int Tesk32_ReadData(int unit, uint16_t* buffer, int count) override;
    int Tesk32_CapReadData(int unit, uint16_t* buffer, int count) override;

    double PhiDegrees() const { return m_phiDeg; }
    int GainCode() const { return m_gain; }
    int CapturesTaken() const { return m_captures; }
    // The sweep of the last capture triggered.
    const sim::RawSweep& LastSweep() const { return m_sweep; }

private:
    std::shared_ptr<const sim::BeamModel> m_source;
    SimulatedBoardSettings m_settings;
    const MillisecondClock& m_clock;
    Sleeper& m_sleeper;
    std::mt19937 m_rng;

    double m_phiDeg = 0.0;
    int m_gain = 0;
    bool m_inProgress = false;
    bool m_haveCapture = false;
    uint32_t m_triggeredAt = 0;
    sim::RawSweep m_sweep{};
    int m_captures = 0;
};

}  // namespace velor::test
