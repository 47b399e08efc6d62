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

}  // namespace velor
