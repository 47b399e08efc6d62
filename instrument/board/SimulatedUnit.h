#pragma once
// The detector and sweep mechanics behind the simulated acquisition unit: at each arm pulse
// the unit asks for a sweep of the simulated source under what its registers hold (the gain
// word, the fine value) and stays busy for the sweep's time on the station's clock.

#include <functional>
#include <memory>
#include <random>
#include <string>

#include "cbw32/Cbw32Sim.h"
#include "common/Clock.h"
#include "instrument/simulation/SimulatedDetector.h"

namespace velor {

class SimulatedUnit final : public cbw32sim::SweepSource {
public:
    // Where the sweep plane points, in degrees: the simulated motion stage's azimuth. Without
    // one the fine register's azimuth is taken, which only reaches 227.4 degrees.
    using StageAzimuth = std::function<double()>;

    SimulatedUnit(std::shared_ptr<const sim::BeamModel> source,
                  const SimulatedBoardSettings& settings, const MillisecondClock& clock,
                  StageAzimuth stage = {});

    std::uint32_t NowMs() const override { return m_clock.Now(); }
    cbw32sim::Capture Sweep(const cbw32sim::CaptureSettings& settings) noexcept override;

    // Why the last capture delivered no samples; empty when it delivered them.
    const std::string& LastFailure() const { return m_failure; }
    int Captures() const { return m_captures; }

private:
    std::shared_ptr<const sim::BeamModel> m_source;
    SimulatedBoardSettings m_settings;
    const MillisecondClock& m_clock;
    StageAzimuth m_stage;
    std::mt19937 m_rng;
    std::string m_failure;
    int m_captures = 0;
};

}  // namespace velor
