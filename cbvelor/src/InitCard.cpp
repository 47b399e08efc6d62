// Initialisation: checks the digital I/O board, programs the unit's two interfaces and puts the
// write-only registers and their shadows at their defaults.

#include "Bus.h"
#include "State.h"
#include "cbvelor/cbvelor.h"
#include "cbw32/cbw32.h"

namespace cbvelor {
namespace {

constexpr std::uint32_t kHighestBoardNumber = 99;
constexpr int kBoardTypes[] = {40, 61};  // the digital I/O boards the bus is wired to

// First interface: +0 and +2 inputs, +1 output. Second: +4 to +6 outputs on version 0, +6 the
// sample's high byte (an input) on versions 1 and 3.
constexpr std::uint8_t kModeFirstWord = 0x99;
constexpr std::uint8_t kModeSecondVersion0 = 0x80;
constexpr std::uint8_t kModeSecondSixteenBit = 0x89;
constexpr std::uint16_t kRefusedVersion = 2;

constexpr std::uint8_t kControlDefault = 0x0F;  // pulse lines at rest, motor on
constexpr std::uint8_t kFineLowDefault = 0x01;  // fine value 1
constexpr std::uint8_t kSlitDefault = 0x80;     // slit not selected
constexpr std::uint8_t kOptionDefault = 0x30;   // memory code 3, frequency 0, nibble 0

bool IsAcceptedBoardType(int type) {
    for (const int accepted : kBoardTypes) {
        if (type == accepted) return true;
    }
    return false;
}

}  // namespace
}  // namespace cbvelor

using namespace cbvelor;

extern "C" int32_t CbVelorInitCard(uint32_t unit, uint32_t boardNumber, int32_t directRead) {
    LibraryState& state = State();
    state.boardNumber = boardNumber <= kHighestBoardNumber ? static_cast<int>(boardNumber) : 0;
    state.armed = 0;
    state.directRead = directRead;

    int type = 0;
    if (cbGetConfig(CBW32_INFO_BOARD, state.boardNumber, 0, CBW32_ITEM_BOARD_TYPE, &type) != 0) {
        return 0;
    }
    if (!IsAcceptedBoardType(type)) return 0;

    WriteRegister(Address(unit, kModeFirst), kModeFirstWord);
    state.boardVersion =
        static_cast<std::uint16_t>((ReadRegister(Address(unit, kStatus)) >> 1) & 3);
    if (state.boardVersion == kRefusedVersion) return 0;
    WriteRegister(Address(unit, kModeSecond),
                  state.boardVersion == 0 ? kModeSecondVersion0 : kModeSecondSixteenBit);

    const std::size_t slot = Slot(unit);
    state.control[slot] = kControlDefault;
    state.fineLow[slot] = kFineLowDefault;
    state.slit[slot] = kSlitDefault;
    WriteRegister(Address(unit, kControl), state.control[slot]);
    WriteRegister(Address(unit, kFineLow), state.fineLow[slot]);
    WriteRegister(Address(unit, kSlit), state.slit[slot]);
    if (state.boardVersion != 0) return 1;

    state.option[slot] = kOptionDefault;
    WriteRegister(Address(unit, kOption), state.option[slot]);
    return 1;
}
