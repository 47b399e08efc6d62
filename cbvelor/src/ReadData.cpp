// Read-out of a capture. A read-start pulse rewinds the unit's read-out; the first five words are
// read and only the fifth is kept, in the first five places of the buffer.

#include "Bus.h"
#include "State.h"
#include "cbvelor/cbvelor.h"

namespace cbvelor {
namespace {

constexpr int kLeadingWords = 5;

// One sample by the board version and the direct-read flag: version 0 delivers it in one byte
// read, the others as a high and a low byte.
std::uint16_t ReadWord(std::uint32_t unit) noexcept {
    const LibraryState& state = State();
    const std::uint8_t lowAddress = Address(unit, kSampleLow);
    const std::uint8_t highAddress = Address(unit, kSampleHigh);
    if (state.boardVersion == 0) {
        return state.directRead ? DirectRead() : ReadRegister(lowAddress);
    }
    unsigned high = 0;
    unsigned low = 0;
    if (state.directRead) {
        SelectRead(highAddress);
        high = DirectRead();
        SelectRead(lowAddress);
        low = DirectRead();
    } else {
        high = ReadRegister(highAddress) & 0xFF;
        low = ReadRegister(lowAddress) & 0xFF;
    }
    return static_cast<std::uint16_t>(high * 256 + low);
}

void Store(std::uint16_t* samples, int index, std::uint16_t word) noexcept {
    if (samples != nullptr) samples[index] = word;
}

}  // namespace
}  // namespace cbvelor

using namespace cbvelor;

extern "C" void CbVelorReadData(uint32_t unit, uint16_t count, uint16_t* samples) {
    const std::uint8_t shadow = State().control[Slot(unit)];
    const std::uint8_t control = Address(unit, kControl);
    WriteRegister(control, static_cast<std::uint8_t>(shadow & ~kReadStartBit));
    WriteRegister(control, static_cast<std::uint8_t>(shadow | kReadStartBit));

    SelectRead(Address(unit, kSampleLow));
    std::uint16_t word = 0;
    for (int i = 0; i < kLeadingWords; ++i) word = ReadWord(unit);
    for (int i = 0; i < kLeadingWords; ++i) Store(samples, i, word);

    SelectRead(Address(unit, kSampleLow));
    for (int i = kLeadingWords; i < count; ++i) Store(samples, i, ReadWord(unit));
}
