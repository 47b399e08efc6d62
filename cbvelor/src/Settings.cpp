// Settings held in the write-only registers: each change goes through the register's shadow,
// since a register can only be written whole.

#include "Bus.h"
#include "State.h"
#include "cbvelor/cbvelor.h"

namespace cbvelor {
namespace {

constexpr std::uint8_t kSlitLine = 0x80;  // low while the slit is selected
constexpr std::uint8_t kFineHighBits = 0x0F;
constexpr std::uint16_t kFineMin = 1;
constexpr std::uint16_t kFineMax = 4095;

// Control register: the gain shift register's lines and the bits that keep their value.
constexpr std::uint8_t kKeptControlBits = 0x0F;
constexpr std::uint8_t kGainData = 0x10;
constexpr std::uint8_t kGainClock = 0x20;
constexpr std::uint8_t kGainLoad = 0x40;
constexpr int kGainBits = 16;

// Option register (version 0 only).
constexpr std::uint8_t kMemoryBits = 0x30;
constexpr std::uint8_t kFrequencyBits = 0xC0;
constexpr std::uint8_t kDataBits = 0x0F;

void WriteControl(std::uint32_t unit) noexcept {
    WriteRegister(Address(unit, kControl), State().control[Slot(unit)]);
}

void WriteOption(std::uint32_t unit, std::uint8_t keep, unsigned bits) noexcept {
    LibraryState& state = State();
    if (state.boardVersion != 0) return;
    std::uint8_t& shadow = state.option[Slot(unit)];
    shadow = static_cast<std::uint8_t>((shadow & keep) | (bits & 0xFF));
    WriteRegister(Address(unit, kOption), shadow);
}

}  // namespace
}  // namespace cbvelor

using namespace cbvelor;

extern "C" void CbVelorSetSlit(uint32_t unit, uint16_t slit) {
    LibraryState& state = State();
    if (state.armed) return;
    std::uint8_t& shadow = state.slit[Slot(unit)];
    shadow = static_cast<std::uint8_t>(slit != 0 ? shadow & ~kSlitLine : shadow | kSlitLine);
    WriteRegister(Address(unit, kSlit), shadow);
}

extern "C" void CbVelorSetFine(uint32_t unit, uint16_t fine) {
    if (fine < kFineMin) fine = kFineMin;
    if (fine > kFineMax) fine = kFineMax;
    LibraryState& state = State();
    if (state.armed) return;
    const std::size_t slot = Slot(unit);
    state.slit[slot] = static_cast<std::uint8_t>((state.slit[slot] & ~kFineHighBits) |
                                                 ((fine >> 8) & kFineHighBits));
    state.fineLow[slot] = static_cast<std::uint8_t>(fine & 0xFF);
    WriteRegister(Address(unit, kFineLow), state.fineLow[slot]);
    WriteRegister(Address(unit, kSlit), state.slit[slot]);
}

extern "C" void CbVelorSetGain(uint32_t unit, uint16_t gain) {
    // Most significant bit first: data, then the clock's rising edge, then both low again.
    std::uint8_t& shadow = State().control[Slot(unit)];
    shadow &= kKeptControlBits;
    WriteControl(unit);
    for (int bit = kGainBits - 1; bit >= 0; --bit) {
        const std::uint8_t data = ((gain >> bit) & 1) ? kGainData : 0;
        shadow |= data;
        WriteControl(unit);
        shadow |= data | kGainClock;
        WriteControl(unit);
        shadow &= kKeptControlBits;
        WriteControl(unit);
    }
    shadow |= kGainLoad;
    WriteControl(unit);
    shadow &= kKeptControlBits;
    WriteControl(unit);
}

extern "C" void CbVelorSetMemory(uint32_t unit, uint16_t code) {
    WriteOption(unit, static_cast<std::uint8_t>(~kMemoryBits), static_cast<unsigned>(code) << 4);
}

extern "C" void CbVelorSetFrequency(uint32_t unit, uint16_t code) {
    WriteOption(unit, static_cast<std::uint8_t>(~kFrequencyBits), static_cast<unsigned>(code) << 6);
}

extern "C" void CbVelorWriteData(uint32_t unit, uint16_t value) {
    WriteOption(unit, static_cast<std::uint8_t>(~kDataBits), value);
}
