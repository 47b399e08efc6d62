#include "document/acquisition/RangeMerge.h"

#include <algorithm>
#include <array>
#include <vector>

#include "document/GainRangeData.h"
#include "document/acquisition/DarkLevel.h"
#include "quarn/quarn.h"

namespace velor {
namespace {

constexpr float kFullScale = 65535.0f;

// A range's sweep as a profile: dark offset subtracted, reversed onto the angle grid the way
// sweep processing does it, so that a clipped sample is exactly kFullScale − offset.
struct RangeProfile {
    std::vector<float> samples;
    DarkLevel dark{};
    float clipLevel = 0.0f;

    // The library opens a saturated run only at a clipped sample after the first.
    bool Clips() const {
        return std::find(samples.begin() + 1, samples.end(), clipLevel) != samples.end();
    }
};

RangeProfile ProfileOf(const float* raw) {
    RangeProfile p;
    p.dark = DarkLevelOf(raw);
    p.clipLevel = kFullScale - p.dark.offset;
    p.samples.resize(kSamplesPerProfile);
    for (int j = 0; j < kSamplesPerProfile; ++j) p.samples[j] = raw[kSamplesPerProfile - 1 - j] - p.dark.offset;
    return p;
}

// 10^exponent as the library forms its scale factors (exact for the few ranges there are).
float PowerOfTen(int exponent) {
    float result = 1.0f;
    for (int i = 0; i < exponent; ++i) result *= 10.0f;
    return result;
}

}  // namespace

RangeMergeResult MergeRangeSweeps(std::span<const float* const> sweeps, float* merged) {
    const int ranges = static_cast<int>(sweeps.size());
    const float* base = sweeps[0];
    std::copy_n(base, kSamplesPerSweep, merged);
    if (ranges <= 1) return {};

    std::array<RangeProfile, kMaxGainRanges> profiles;
    for (int r = 0; r < ranges; ++r) profiles[r] = ProfileOf(sweeps[r]);

    // The highest range that clips nowhere makes every range below it redundant.
    int lowest = 0;
    for (int r = ranges - 1; r > 0; --r) {
        if (!profiles[r].Clips()) {
            lowest = r;
            break;
        }
    }
    std::array<const float*, kMaxGainRanges> scans{};
    std::array<float, kMaxGainRanges> levels{};
    for (int r = lowest; r < ranges; ++r) {
        scans[r - lowest] = profiles[r].samples.data();
        levels[r - lowest] = profiles[r].clipLevel;
    }
    std::vector<float> stitched(kSamplesPerProfile);
    if (!Quarn_StitchDataTogether(kSamplesPerProfile, static_cast<uint16_t>(ranges - lowest), scans.data(),
                                  levels.data(), stitched.data())) {
        return {0, false};  // the base range alone, as copied above
    }

    // From the highest range's units back to the base range's counts, on the base range's
    // dark offset; the base range's own full-scale words stay as they were.
    const float scale = PowerOfTen(ranges - 1);
    const float offset = profiles[0].dark.offset;
    for (int j = 0; j < kSamplesPerProfile; ++j) {
        const int w = kSamplesPerProfile - 1 - j;
        if (base[w] < kFullScale) merged[w] = stitched[j] / scale + offset;
    }
    const float* top = sweeps[ranges - 1];
    const float topOffset = profiles[ranges - 1].dark.offset;
    for (int w = kDarkWindowFirst; w < kDarkWindowFirst + kDarkWindowCount; ++w) {
        merged[w] = offset + (top[w] - topOffset) / scale;
    }
    return {lowest, true};
}

}  // namespace velor
