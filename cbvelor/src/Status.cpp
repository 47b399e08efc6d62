// Queries of the status register: one register read each.

#include "Bus.h"
#include "State.h"
#include "cbvelor/cbvelor.h"

namespace cbvelor {
namespace {

constexpr unsigned kBusyBit = 0x01;

unsigned ReadStatus(std::uint32_t unit) noexcept {
    return ReadRegister(Address(unit, kStatus));
}

template <typename T>
void Store(T* out, unsigned value) noexcept {
    if (out != nullptr) *out = static_cast<T>(value);
}

}  // namespace
}  // namespace cbvelor

using namespace cbvelor;

extern "C" void CbVelorGetHead(uint32_t unit, uint16_t* head) {
    Store(head, (ReadStatus(unit) >> 4) & 0xF);
}

extern "C" void CbVelorGetBoardVer(uint32_t unit, int16_t* version) {
    // The unit's own version, read afresh; the stored one stays as initialisation left it.
    Store(version, (ReadStatus(unit) >> 1) & 3);
}

extern "C" void CbVelorIsReady(uint32_t unit, int32_t* ready) {
    // A read that failed tells nothing about the capture: it counts as busy, or a caller
    // would read out a capture that never completed.
    bool readOk = false;
    const unsigned status = ReadRegister(Address(unit, kStatus), &readOk);
    const bool complete = readOk && (status & kBusyBit) == 0;
    if (complete) State().armed = 0;
    Store(ready, complete ? 1 : 0);
}

extern "C" void CbVelorGetOverScale(uint32_t unit, int32_t* overScale) {
    Store(overScale, (ReadStatus(unit) >> 3) & 1);
}
