#pragma once
// A station with a simulated instrument for acquisition tests: the simulated board and motion
// controller on a fake clock, timers the test fires by hand, and clients that record what
// they are told.

#include <memory>
#include <vector>

#include "document/AcquisitionTimers.h"
#include "document/Velor32Doc.h"
#include "tests/support/SimulatedBoard.h"
#include "instrument/motion/MotionConnection.h"
#include "instrument/motion/MotionController.h"
#include "instrument/motion/SimulatedController.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TestStation.h"

namespace velor::test {

class ManualTimers : public AcquisitionTimers {
public:
    void StartTick(CDormDoc&) override { tickRunning = true; }
    void StopTick(CDormDoc&) override { tickRunning = false; }
    bool IsTickRunning(const CDormDoc&) const override { return tickRunning; }
    void PostTick(CDormDoc&) override { ++posted; }
    bool OtherEventsWaiting() const override { return eventsWaiting; }
    bool SetFrameTimer(CDormDoc&, int id, uint32_t ms) override {
        if (!timersAvailable) return false;
        frameTimers.push_back({id, ms});
        return true;
    }
    void KillFrameTimer(int id) override { killed.push_back(id); }

    bool tickRunning = false;
    int posted = 0;
    bool eventsWaiting = false;
    bool timersAvailable = true;
    std::vector<std::pair<int, uint32_t>> frameTimers;
    std::vector<int> killed;
};

class RecordingClient : public AcquisitionClientWindow {
public:
    void PostScanDone(int code) override { codes.push_back(code); }
    std::vector<int> codes;
};

class AcquisitionStation {
public:
    explicit AcquisitionStation(std::shared_ptr<const sim::BeamModel> source,
                                SimulatedBoardSettings settings = {}, bool withController = true);

    // One 5 ms period: the tick timer fires and its message is handled.
    void Tick();
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) Tick();
    }

    RecordingPrompt prompt;
    FakeClock clock;
    FakeSleeper sleeper{clock};
    ManualTimers timers;
    RecordingFrame frame;
    SimulatedController controllerSim;
    MotionController controller{prompt, clock, sleeper};
    std::unique_ptr<SimulatedBoard> board;
    std::unique_ptr<DocumentEnvironment> environment;
    std::unique_ptr<CVelor32Doc> doc;
};

}  // namespace velor::test
