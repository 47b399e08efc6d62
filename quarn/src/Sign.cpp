// Gives each lobe of a far-field intensity profile a sign, so that the square root of the
// intensity becomes a signed field amplitude. Nulls between lobes are found as minima of the
// log-intensity, through its slope over a window.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "NoThrow.h"
#include "quarn/quarn.h"

namespace {

// log10 of the samples at or above the threshold, 0 elsewhere; threshold 0 disables it.
std::vector<float> LogIntensity(std::size_t n, const float* intensity, uint16_t threshold) {
    std::vector<float> logs(n, 0.0f);
    if (threshold == 0) return logs;
    const float minimum = threshold;
    for (std::size_t i = 0; i < n; ++i) {
        if (intensity[i] >= minimum) {
            logs[i] = static_cast<float>(std::log10(double{intensity[i]}));
        }
    }
    return logs;
}

// Centred slope over the window; near the start, where the window does not fit, the slope
// from sample 0. Zero where it is not defined.
std::vector<float> LogSlope(const std::vector<float>& logs, std::size_t window) {
    const std::size_t n = logs.size();
    const std::size_t half = window / 2;
    std::vector<float> slope(n, 0.0f);
    for (std::size_t i = 1; i + half < n; ++i) {
        slope[i] = i <= half ? (logs[i] - logs[0]) / static_cast<float>(i)
                             : (logs[i + half] - logs[i - half]) / static_cast<float>(window);
    }
    return slope;
}

std::size_t LowestInWindow(const float* intensity, std::size_t n, std::size_t j, std::size_t half) {
    const std::size_t last = std::min(n - 1, j + half);
    std::size_t lowest = j > half ? j - half : 0;
    for (std::size_t i = lowest + 1; i <= last; ++i) {
        if (intensity[i] < intensity[lowest]) lowest = i;  // the first of equal minima wins
    }
    return lowest;
}

// A valley is where the slope turns from falling to rising (or to flat, then rising half a
// window later); it is placed on the lowest sample within half a window.
std::vector<std::size_t> FindValleys(const float* intensity, const std::vector<float>& slope,
                                     std::size_t window) {
    const std::size_t n = slope.size();
    const std::size_t half = window / 2;
    auto slopeAt = [&](std::size_t i) { return i < n ? slope[i] : 0.0f; };
    std::vector<std::size_t> valleys;
    for (std::size_t j = 1; j + half < n; ++j) {
        if (!(slope[j] < 0.0f)) continue;
        const float next = slopeAt(j + 1);
        if (next > 0.0f || (next == 0.0f && slopeAt(j + half) > 0.0f)) {
            valleys.push_back(LowestInWindow(intensity, n, j, half));
        }
    }
    return valleys;
}

bool Sign(std::size_t n, const float* intensity, uint16_t threshold, std::size_t window,
          int16_t* signs) {
    const std::vector<float> slope = LogSlope(LogIntensity(n, intensity, threshold), window);
    const std::vector<std::size_t> valleys = FindValleys(intensity, slope, window);

    // At most one flip per sample: valleys moved onto one position flip on consecutive samples.
    int16_t current = 1;
    std::size_t next = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (next < valleys.size() && i >= valleys[next]) {
            current = static_cast<int16_t>(-current);
            ++next;
        }
        signs[i] = current;
    }
    return true;
}

}  // namespace

extern "C" bool Quarn_SignData(uint16_t count, const float* intensity, uint16_t threshold,
                               uint16_t window, int16_t** signs) {
    if (intensity == nullptr || signs == nullptr || *signs == nullptr) return false;
    // The slope needs a window of at least one sample that fits inside the profile.
    if (window == 0 || window >= count) return false;
    return quarn::NoThrow(false, [&] { return Sign(count, intensity, threshold, window, *signs); });
}
