#include "common/Clock.h"

#include <chrono>
#include <thread>

namespace velor {

uint32_t SteadyClock::Now() const {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms);
}

void ThreadSleeper::SleepMs(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace velor
