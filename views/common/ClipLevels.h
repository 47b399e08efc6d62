#pragma once
// The clip-level colour table the 3D and topographic views start with: levels in tenths of a
// percent of the maximum, highest first, each with a colour as 0x00BBGGRR. Their records hold
// 64 entries, which is therefore the most a table may have.

#include <cstdint>

namespace velor {

inline constexpr int kMaxClipLevels = 64;
inline constexpr int kDefaultClipLevelCount = 9;

inline constexpr uint16_t kDefaultClipLevels[kDefaultClipLevelCount] = {1000, 900, 750, 607, 500,
                                                                       368,  250, 135, 50};
// White, red, yellow, light green, green, blue, violet, magenta, dark purple.
inline constexpr uint32_t kDefaultClipColors[kDefaultClipLevelCount] = {
    0x00FFFFFF, 0x000000FF, 0x0000FFFF, 0x0000FF80, 0x0000A400,
    0x00FF0000, 0x00FF3C9D, 0x00C600C6, 0x005E005E};

// The limits the clip-level dialog allows unless its caller sets others: 1.0 % to 100.0 %.
inline constexpr uint16_t kMinClipLevel = 10;
inline constexpr uint16_t kMaxClipLevel = 1000;

// A table as a record read from a file may hold it: one to 64 levels within the dialog's
// limits and colours without a high byte.
constexpr bool IsValidClipTable(uint16_t count, const uint16_t (&levels)[kMaxClipLevels],
                                const uint32_t (&colours)[kMaxClipLevels]) {
    if (count < 1 || count > kMaxClipLevels) return false;
    for (int i = 0; i < count; ++i) {
        if (levels[i] < kMinClipLevel || levels[i] > kMaxClipLevel || colours[i] > 0x00FFFFFFu) return false;
    }
    return true;
}

}  // namespace velor
