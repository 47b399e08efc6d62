#pragma once

#include "common/Clock.h"

namespace velor::test {

// Time moves only when the test says so.
class FakeClock : public MillisecondClock {
public:
    uint32_t Now() const override { return now; }
    uint32_t now = 1000;
};

}  // namespace velor::test
