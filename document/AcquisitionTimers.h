#pragma once
// The timing services acquisition needs from the main window: the periodic acquisition tick
// (whose messages queue at most one at a time and give way to user input) and the frame's
// numbered timers. The GUI implements them with Qt timers and posted events; tests drive them
// by hand; headless sessions have none.

#include <cstdint>

namespace velor {

class CDormDoc;

class AcquisitionTimers {
public:
    virtual ~AcquisitionTimers() = default;

    // The 5 ms tick: while it runs, each period calls the document's OnTimerCallback.
    virtual void StartTick(CDormDoc& document) = 0;
    virtual void StopTick(CDormDoc& document) = 0;
    virtual bool IsTickRunning(const CDormDoc& document) const = 0;

    // Queues the tick message; the main window hands it to the active document's
    // OnAcquisitionTick.
    virtual void PostTick(CDormDoc& document) = 0;
    // Whether other events are waiting: a tick then gives way to them.
    virtual bool OtherEventsWaiting() const = 0;

    // A numbered timer of the main frame, which calls the document's OnTimer(id) when it
    // fires; false when no timer can be had.
    virtual bool SetFrameTimer(CDormDoc& document, int id, uint32_t ms) = 0;
    virtual void KillFrameTimer(int id) = 0;
};

// A session without acquisition: no tick ever runs.
class NoAcquisitionTimers final : public AcquisitionTimers {
public:
    void StartTick(CDormDoc&) override {}
    void StopTick(CDormDoc&) override {}
    bool IsTickRunning(const CDormDoc&) const override { return false; }
    void PostTick(CDormDoc&) override {}
    bool OtherEventsWaiting() const override { return false; }
    bool SetFrameTimer(CDormDoc&, int, uint32_t) override { return true; }
    void KillFrameTimer(int) override {}
};

}  // namespace velor
