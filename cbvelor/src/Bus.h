#pragma once
// Register access over the digital I/O bus: each access is a fixed sequence of driver calls on
// the stored board number, whose error codes are not looked at.

#include <cstdint>

namespace cbvelor {

// Turns the data port to kOutput or kInput, reconfiguring the bus ports only on a change.
void SetDataDirection(int direction) noexcept;

void WriteRegister(std::uint8_t address, std::uint8_t value) noexcept;
// The value as read; `ok`, when given, tells whether every driver call of the read succeeded
// (a failed read leaves the value at 0, which must not pass for a status).
std::uint16_t ReadRegister(std::uint8_t address, bool* ok = nullptr) noexcept;

// Puts an address on the bus for direct reads, which then take a single driver call each.
void SelectRead(std::uint8_t address) noexcept;
std::uint16_t DirectRead() noexcept;

}  // namespace cbvelor
