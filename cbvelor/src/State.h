#pragma once
// The library's process-wide state, zero at load, and the layout of the bus it drives.

#include <array>
#include <cstddef>
#include <cstdint>

#include "cbw32/cbw32.h"

namespace cbvelor {

inline constexpr int kUnitCount = 4;

// Digital I/O ports that form the bus, and their directions.
inline constexpr int kDataPort = CBW32_PORT_A;
inline constexpr int kAddressPort = CBW32_PORT_B;
inline constexpr int kStrobePort = CBW32_PORT_C_LOW;
inline constexpr int kOutput = CBW32_OUTPUT;
inline constexpr int kInput = CBW32_INPUT;

// Strobe port values: both strobes are active low.
inline constexpr unsigned short kStrobesIdle = 3;
inline constexpr unsigned short kWriteStrobe = 1;
inline constexpr unsigned short kReadStrobe = 2;

// Register offsets within a unit.
inline constexpr std::uint8_t kSampleLow = 0;
inline constexpr std::uint8_t kControl = 1;
inline constexpr std::uint8_t kStatus = 2;
inline constexpr std::uint8_t kModeFirst = 3;
inline constexpr std::uint8_t kFineLow = 4;
inline constexpr std::uint8_t kSlit = 5;
inline constexpr std::uint8_t kOption = 6;  // the sample's high byte on versions 1 and 3
inline constexpr std::uint8_t kSampleHigh = 6;
inline constexpr std::uint8_t kModeSecond = 7;

// Control register bits.
inline constexpr std::uint8_t kReadStartBit = 0x01;
inline constexpr std::uint8_t kArmBit = 0x02;
inline constexpr std::uint8_t kMotorBit = 0x04;
inline constexpr std::uint8_t kOverScaleResetBit = 0x80;

struct LibraryState {
    int boardNumber = 0;
    int directRead = 0;
    std::uint16_t boardVersion = 0;
    int armed = 0;
    int dataDirection = 0;  // 0 until the first access, then kOutput or kInput
    std::array<std::uint8_t, kUnitCount> control{};
    std::array<std::uint8_t, kUnitCount> fineLow{};
    std::array<std::uint8_t, kUnitCount> slit{};
    std::array<std::uint8_t, kUnitCount> option{};
};

LibraryState& State() noexcept;

// Unit indices are not checked; masking keeps a wrong one inside the shadow tables.
inline std::size_t Slot(std::uint32_t unit) noexcept {
    return unit & (kUnitCount - 1);
}

inline std::uint8_t Address(std::uint32_t unit, std::uint8_t offset) noexcept {
    constexpr std::array<std::uint8_t, kUnitCount> kBases = {0x40, 0x48, 0x60, 0x68};
    return static_cast<std::uint8_t>(kBases[Slot(unit)] + offset);
}

}  // namespace cbvelor
