#pragma once
// The controller's numbered motion programs, the reply letter each must produce and the speed
// set chosen by head variant. Header-only: the document picks programs and speed sets without
// linking any serial code.

#include <optional>

namespace velor {

inline constexpr int kProgramHome = 200;
inline constexpr int kProgramPhiPlus0_9 = 340;
inline constexpr int kProgramPhiPlus1_8 = 360;
inline constexpr int kProgramPhiPlus3_6 = 380;
inline constexpr int kProgramPhiPlus90 = 500;
inline constexpr int kProgramPhiMinus90 = 520;
inline constexpr int kProgramPhiPlus18 = 540;
inline constexpr int kProgramPhiPlus9 = 560;
inline constexpr int kProgramReset = 600;
inline constexpr int kProgramFastSpeeds = 1200;  // moves nothing; a known 'N' after a bad homing
inline constexpr int kProgramStatus = 1220;

// The first byte a program's reply must carry; 0 for programs whose reply is not checked.
constexpr char ExpectedReply(int program) {
    if (program == 200 || program == 220 || program == 240) return 'P';
    if (program >= 300 && program <= 560 && program % 20 == 0) return 'N';
    if (program == kProgramFastSpeeds) return 'N';
    if (program == kProgramStatus) return 'B';
    return 0;
}

// The three parameters of the speeds command, in the order they are sent.
struct SpeedSet {
    int r = 0;
    int s = 0;
    int f = 0;
    friend constexpr bool operator==(const SpeedSet&, const SpeedSet&) = default;
};

// Fine steps run slowly; everything else, homing included, runs fast.
constexpr bool UsesSlowSpeeds(int program) {
    return program == 300 || program == 320 || program == 340;
}

// The speed set for a head variant and the program about to run; none for unknown heads.
constexpr std::optional<SpeedSet> SpeedsFor(int headVariant, int program) {
    const bool slow = UsesSlowSpeeds(program);
    if (headVariant == 0) return slow ? SpeedSet{100, 100, 10} : SpeedSet{200, 200, 15};
    if (headVariant == 1) return slow ? SpeedSet{100, 100, 8} : SpeedSet{150, 150, 12};
    return std::nullopt;
}

}  // namespace velor
