#pragma once
// What this program means by the values the board library only carries: the head code of the
// status register, the gain word shifted into the unit, the fine register, and the samples of
// an 8-bit unit. Kept in one place, so that the board access and the simulated acquisition unit
// read them alike (README.md lists them).

#include <algorithm>
#include <cstdint>

namespace velor::board {

// Head code (status bits 4-7), one bit a fact:
//   bit 0  detector: 0 InGaAs (head type 0), 1 Si (head type 1)
//   bit 1  head variant, which selects the motion speed set
//   bit 2  always 0 on a fitted head: with it set the code names no head this program knows
//          (15, all lines high, is a unit without a head)
//   bit 3  pulsed system: the sweep runs at half speed
struct HeadInfo {
    int type = -1;  // -1 unknown
    int variant = -1;
    bool pulsed = false;
};

inline constexpr std::uint16_t kNoHeadCode = 15;

constexpr HeadInfo HeadFromCode(std::uint16_t code) {
    if ((code & 0x4) != 0 || code > 15) return {};
    return {code & 0x1, (code >> 1) & 0x1, (code & 0x8) != 0};
}

// The code a head of this type and variant reports; kNoHeadCode for one the table has not.
constexpr std::uint16_t HeadCode(int type, int variant, bool pulsed) {
    if ((type != 0 && type != 1) || (variant != 0 && variant != 1)) return kNoHeadCode;
    return static_cast<std::uint16_t>(type | (variant << 1) | (pulsed ? 0x8 : 0));
}

// Gain word: a coarse stage of 20 dB steps in bits 8-11 and a fine stage of 1 dB steps in bits
// 0-4, so gain code g (in dB, 0 to 185) is (g / 20) << 8 | g % 20. Codes outside the range are
// taken as its nearest end.
inline constexpr int kHighestGainCode = 185;

constexpr std::uint16_t GainWord(int code) {
    const int g = std::clamp(code, 0, kHighestGainCode);
    return static_cast<std::uint16_t>(((g / 20) << 8) | (g % 20));
}

// The gain in dB a word sets, for any word: 20 per coarse step plus the fine steps.
constexpr int GainFromWord(std::uint16_t word) {
    return 20 * ((word >> 8) & 0x0F) + (word & 0x1F);
}

// Fine values 1 + 18·phi (1 to 6479) go into the 12-bit fine register as they are up to 4095;
// above it the register holds 4095, as the library would make it. The azimuth itself is the
// motion stage's; what the register holds is only the board's record of it.
inline constexpr int kHighestFine = 4095;

constexpr std::uint16_t FineRegister(int value) {
    return static_cast<std::uint16_t>(std::clamp(value, 1, kHighestFine));
}

// The azimuth a fine register stands for, where no stage says better.
constexpr double AzimuthFromFine(int fine) { return (fine - 1) / 18.0; }

// A version-0 unit delivers 8-bit samples; 255 is its full scale, which becomes 65535 so that
// the saturation test and the counts mean the same on every board.
constexpr std::uint16_t SampleFromBoard(int boardVersion, std::uint16_t word) {
    return boardVersion == 0 ? static_cast<std::uint16_t>((word & 0xFF) * 257) : word;
}

// Units of the board library.
inline constexpr int kUnitCount = 4;

}  // namespace velor::board
