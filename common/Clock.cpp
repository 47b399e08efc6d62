#include "common/Clock.h"

#include <chrono>

namespace velor {

uint32_t SteadyClock::Now() const {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms);
}

}  // namespace velor
