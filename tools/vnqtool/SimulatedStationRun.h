#pragma once
// A measurement taken as a station with the simulated instrument takes it: the document's own
// 3D acquisition and capture drive the board access, the board library, the driver stand-in
// and the simulated acquisition unit, and the simulated motion controller turns the stage.
// Time is simulated, so the sweeps and the stage cost no waiting.

#include <memory>

#include "common/ConsolePrompt.h"
#include "document/HeadlessSession.h"
#include "instrument/board/SimulatedStation.h"
#include "instrument/motion/MotionController.h"
#include "instrument/motion/SimulatedController.h"
#include "tools/vnqtool/ToolSession.h"

namespace vnqtool {

struct StationMeasurement {
    float distanceCm = 2.0f;   // the user's aperture-source distance, 0 to 100
    uint16_t scans3D = 50;     // 10, 20, 50, 100 or 200
    bool perpendicular = false;
    float phiDeg = 0.0f;       // azimuth of axis 0, [0, 360)
    float wavelengthNm = 1310.0f;
    int gain = 0;              // signal gain code, 0 to 185
    int ranges = 1;            // gain ranges per sweep, 1 to 4
    velor::sim::SweepSettings sweep;
};

class SimulatedStationRun {
public:
    SimulatedStationRun(std::shared_ptr<const velor::sim::BeamModel> source,
                        const StationMeasurement& measurement);
    ~SimulatedStationRun();

    // Settings, the 3D acquisition, then the axes at phi. Null, after the program's own
    // message went to standard error, when the 3D run found too little signal.
    velor::CVelor32Doc* Measure();
    ToolSession& Session() { return *m_session; }

private:
    class SimulatedTime : public velor::MillisecondClock, public velor::Sleeper {
    public:
        uint32_t Now() const override { return m_now; }
        void SleepMs(uint32_t ms) override { m_now += ms; }

    private:
        uint32_t m_now = 0;
    };

    StationMeasurement m_measurement;
    SimulatedTime m_time;
    velor::ConsolePrompt m_prompt;
    velor::SimulatedController m_stage;
    velor::MotionController m_motion;
    std::unique_ptr<velor::SimulatedStation> m_station;
    std::unique_ptr<velor::SessionInstrument> m_instrument;
    std::unique_ptr<ToolSession> m_session;
};

}  // namespace vnqtool
