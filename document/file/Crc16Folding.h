#pragma once
// CRC-16/KERMIT by carry-less multiplication: the message is folded, 64 bytes a step, into a
// 16-byte value that leaves the same remainder modulo the polynomial. With an initial value
// of 0 and no final XOR, the CRC of the message is then the CRC of those 16 bytes (followed by
// whatever was not folded). Several times faster than tables, so a data file's blocks are
// checked at about the speed they are copied.

#include <array>
#include <cstddef>
#include <cstdint>

namespace velor {

// True where the processor multiplies without carries (x86-64 with PCLMULQDQ).
bool CanFoldCrc16();

// Folds the first `length` bytes (a multiple of 16, at least 64) of data into 16 bytes with
// the same CRC-16/KERMIT. Call only where CanFoldCrc16().
std::array<uint8_t, 16> FoldCrc16(const uint8_t* data, std::size_t length);

}  // namespace velor
