#pragma once
// The 32-bit hints the document broadcasts to its views (low 16 bits the event, high 16 bits
// a parameter) and the two messages it posts to windows.

#include <cstdint>

namespace velor {

inline constexpr uint32_t MakeHint(uint16_t event, uint16_t parameter) {
    return static_cast<uint32_t>(event) | (static_cast<uint32_t>(parameter) << 16);
}
inline constexpr uint16_t HintEvent(uint32_t hint) { return static_cast<uint16_t>(hint & 0xFFFFu); }
inline constexpr uint16_t HintParameter(uint32_t hint) { return static_cast<uint16_t>(hint >> 16); }

// Posted to an acquisition client's window when its scan is complete (code 1, 2 or 3).
inline constexpr uint16_t UM_SCANDONE = 0x094C;
// Posted to the main window: one step of acquisition is due.
inline constexpr uint16_t UM_TICK = 0x0953;

inline constexpr uint32_t UM_MODECHANGED = 0x094F;
inline constexpr uint32_t UM_UNITS = MakeHint(0x0950, 4);
inline constexpr uint16_t UM_ACQSTATE_EVENT = 0x0951;
inline constexpr uint32_t UM_ACQSTATE(bool on) { return MakeHint(UM_ACQSTATE_EVENT, on ? 1 : 0); }
inline constexpr uint32_t UM_PARAMCHANGED = 0x0954;
inline constexpr uint32_t UM_3DDONE = MakeHint(0x0955, 1);
inline constexpr uint32_t UM_RECOMPUTE = MakeHint(0x0956, 1);

static_assert(UM_UNITS == 264528);
static_assert(UM_ACQSTATE(false) == 2385);
static_assert(UM_3DDONE == 67925);
static_assert(UM_RECOMPUTE == 67926);

}  // namespace velor
