#pragma once

#include "common/Clock.h"

namespace velor::test {

// Time moves only when the test says so.
class FakeClock : public MillisecondClock {
public:
    uint32_t Now() const override { return now; }
    uint32_t now = 1000;
};

// Sleeping moves the fake clock on; nothing waits.
class FakeSleeper : public Sleeper {
public:
    explicit FakeSleeper(FakeClock& clock) : m_clock(clock) {}
    void SleepMs(uint32_t ms) override {
        m_clock.now += ms;
        slept += ms;
    }
    uint64_t slept = 0;

private:
    FakeClock& m_clock;
};

}  // namespace velor::test
