#pragma once
// Millisecond time, as the acquisition timing and the scan-rate measurement read it.
// Injectable so that tests can step time by hand.

#include <cstdint>

namespace velor {

class MillisecondClock {
public:
    virtual ~MillisecondClock() = default;
    // Milliseconds since an arbitrary start; wraps around like a 32-bit tick count.
    virtual uint32_t Now() const = 0;
};

class SteadyClock : public MillisecondClock {
public:
    uint32_t Now() const override;
};

// Waiting, as blocking exchanges with the instrument do; injectable so that tests of long
// waits take no time (a fake moves a fake clock on instead).
class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void SleepMs(uint32_t ms) = 0;
};

class ThreadSleeper : public Sleeper {
public:
    void SleepMs(uint32_t ms) override;
};

}  // namespace velor
