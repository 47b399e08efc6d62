// Merges scans of one sweep taken at several gain ranges, each ten times the one before, into
// one profile: every sample comes from the highest range that is not saturated there.

#include <cfloat>
#include <cstddef>
#include <vector>

#include "NoThrow.h"
#include "quarn/quarn.h"

namespace {

// A saturated stretch of a scan: `start` is the sample before the first clipped one, `end`
// the first sample after it below the clip level. Samples in (start, end] are saturated.
struct Run {
    std::size_t start;
    std::size_t end;
};

// Runs are opened by a sample exactly at the clip level and closed by the first one below
// it. A run still open at the last sample is closed there.
std::vector<Run> SaturatedRuns(std::size_t n, const float* scan, float level) {
    std::vector<Run> runs;
    bool open = false;
    std::size_t start = 0;
    for (std::size_t i = 1; i < n; ++i) {
        if (!open) {
            if (scan[i] == level) {
                open = true;
                start = i - 1;
            }
        } else if (scan[i] < level) {
            runs.push_back({start, i});
            open = false;
        }
    }
    if (open) runs.push_back({start, n - 1});
    return runs;
}

// Widens a run over the samples that are nearly clipped (above 0.9 of the level) or that are
// more than 11 times the next lower range (not linear any more), staying inside 0 .. n - 1.
Run Widen(Run run, std::size_t n, const float* scan, const float* lower, float level) {
    const float nearLevel = 0.9f * level;
    auto nonLinear = [&](std::size_t i) { return lower[i] > 0.0f && scan[i] / lower[i] > 11.0f; };
    while (run.start > 0 &&
           (scan[run.start] > nearLevel || (run.start > 2 && nonLinear(run.start)))) {
        --run.start;
    }
    while (run.end < n - 1 && (scan[run.end] > nearLevel || nonLinear(run.end))) ++run.end;
    return run;
}

// Moves every sample from 1 on that lies outside the widened runs of `range` up to that range;
// saturated samples keep the range they had. Widened runs may overlap; their union counts.
bool RaiseToRange(std::size_t n, uint16_t range, const float* scan, const float* lower, float level,
                  std::vector<uint16_t>& rangeOf) {
    if (!(level >= FLT_MIN)) return false;
    const std::vector<Run> runs = SaturatedRuns(n, scan, level);
    if (runs.empty()) return false;

    std::vector<bool> saturated(n, false);
    for (const Run& run : runs) {
        const Run wide = Widen(run, n, scan, lower, level);
        for (std::size_t i = wide.start + 1; i <= wide.end; ++i) saturated[i] = true;
    }
    for (std::size_t i = 1; i < n; ++i) {
        if (!saturated[i]) rangeOf[i] = range;
    }
    return true;
}

// 10^exponent in single precision by repeated squaring.
float PowerOfTen(unsigned exponent) {
    float result = 1.0f;
    float base = 10.0f;
    while (exponent != 0) {
        if (exponent & 1u) result *= base;
        base *= base;
        exponent >>= 1;
    }
    return result;
}

bool Stitch(std::size_t n, uint16_t rangeCount, const float* const* scans, const float* levels,
            float* out) {
    std::vector<uint16_t> rangeOf(n, 0);
    for (uint16_t r = 1; r < rangeCount; ++r) {
        if (!RaiseToRange(n, r, scans[r], scans[r - 1], levels[r], rangeOf)) return false;
    }

    std::vector<float> scale(rangeCount);
    for (unsigned r = 0; r < rangeCount; ++r) scale[r] = PowerOfTen(rangeCount - 1u - r);
    for (std::size_t i = 0; i < n; ++i) out[i] = scans[rangeOf[i]][i] * scale[rangeOf[i]];
    return true;
}

}  // namespace

extern "C" bool Quarn_StitchDataTogether(uint16_t count, uint16_t rangeCount,
                                         const float* const* scans, const float* levels,
                                         float* out) {
    if (scans == nullptr || out == nullptr || rangeCount == 0) return false;
    for (uint16_t r = 0; r < rangeCount; ++r) {
        if (scans[r] == nullptr) return false;
    }
    if (rangeCount > 1 && levels == nullptr) return false;  // levels[0] alone is never read
    return quarn::NoThrow(false, [&] { return Stitch(count, rangeCount, scans, levels, out); });
}
