#pragma once
// A simulated acquisition board behind the board access calls: captures are sweeps of a
// simulated source at the azimuth the board was given (fine value 1 + 18·phi), scaled by the
// gain code, with the dark level and noise a real detector shows, taking a capture's time on
// the injectable clock.

#include <array>
#include <memory>
#include <random>

#include "common/Clock.h"
#include "instrument/board/Tesk32.h"
#include "instrument/simulation/BeamModel.h"
#include "instrument/simulation/SweepSimulator.h"

namespace velor {

struct SimulatedBoardSettings {
    int headType = 0;          // 0 InGaAs, 1 Si
    int headVariant = 0;       // selects the motion speed set
    bool pulsedSystem = false; // a pulsed board captures 5 sweeps a second instead of 10
    float storedDistanceCm = 3.65f;  // where the source really sits (user distance + 1.65)
    double pulseFrequencyKHz = 0.0;  // a pulsed source's repetition rate; 0 for a steady one
    sim::SweepSettings sweep;        // counts at gain 0, dark level, noise, seed
};

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

    // Milliseconds one capture takes.
    uint32_t CaptureTimeMs() const { return m_settings.pulsedSystem ? 200 : 100; }
    double PhiDegrees() const { return m_phiDeg; }
    int GainCode() const { return m_gain; }
    int CapturesTaken() const { return m_captures; }
    // The sweep of the last capture triggered.
    const sim::RawSweep& LastSweep() const { return m_sweep; }
    void SetSource(std::shared_ptr<const sim::BeamModel> source) { m_source = std::move(source); }

private:
    sim::RawSweep Capture();

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

}  // namespace velor
