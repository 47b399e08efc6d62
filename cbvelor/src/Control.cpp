// Control-register lines that are not settings: motor, arm pulse, over-scale reset. The motor and
// arm writes leave the shadow as it is, so the next control write restores those lines.

#include "Bus.h"
#include "State.h"
#include "cbvelor/cbvelor.h"

namespace cbvelor {
namespace {

void WriteControlValue(std::uint32_t unit, unsigned value) noexcept {
    WriteRegister(Address(unit, kControl), static_cast<std::uint8_t>(value));
}

}  // namespace
}  // namespace cbvelor

using namespace cbvelor;

extern "C" void CbVelorSpinMotor(uint32_t unit, int32_t on) {
    const std::uint8_t shadow = State().control[Slot(unit)];
    WriteControlValue(unit, on != 0 ? shadow | kMotorBit : shadow & ~kMotorBit);
}

extern "C" void CbVelorArmCard(uint32_t unit) {
    LibraryState& state = State();
    const std::uint8_t shadow = state.control[Slot(unit)];
    WriteControlValue(unit, shadow & ~kArmBit);
    WriteControlValue(unit, shadow | kArmBit);
    state.armed = 1;
}

extern "C" void CbVelorResetOverScale(uint32_t unit) {
    // The reset line stays high afterwards, until the gain load or initialisation clears it.
    std::uint8_t& shadow = State().control[Slot(unit)];
    WriteControlValue(unit, shadow & ~kOverScaleResetBit);
    shadow |= kOverScaleResetBit;
    WriteControlValue(unit, shadow);
}
