#pragma once
// The dark level of a raw sweep: the words beyond the sweep's end, where the detector sees no
// light. Their mean is the offset subtracted from every sample (never below 0); their highest
// excursion above it is the sweep's noise level.

#include <algorithm>

#include "instrument/geometry/SweepGeometry.h"

namespace velor {

struct DarkLevel {
    float offset;
    float noise;
};

inline DarkLevel DarkLevelOf(const float* raw) {
    double sum = 0.0;
    float maximum = 0.0f;
    for (int i = kDarkWindowFirst; i < kDarkWindowFirst + kDarkWindowCount; ++i) {
        sum += raw[i];
        maximum = std::max(maximum, raw[i]);
    }
    const float offset = std::max(0.0f, static_cast<float>(sum / kDarkWindowCount));
    return {offset, maximum - offset};
}

}  // namespace velor
