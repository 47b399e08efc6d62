#include "views/scene/ClipMapping.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "views/common/ClipLevels.h"

namespace velor {
namespace {

// The value of the entry above every level: beyond any scaled value.
constexpr double kAboveAll = 65535.0;

// The entry below the lowest level reaches down to 0, or to the lowest level itself when a
// decibel level lies below 0 (a maximum of fewer decibels than the level is deep).
ColourEntry Floor(const ColourEntry& lowest, double isovalue) {
    ColourEntry floor = lowest;
    floor.value = std::min(0.0, lowest.value);
    floor.isovalue = isovalue;
    return floor;
}

}  // namespace

void ApplyDecibelRule(std::span<float> values) {
    for (float& v : values) v = v <= 1.0f ? 0.0f : 10.0f * std::log10(v);
}

float NormaliseToPercent(std::span<float> values) {
    float maximum = 0.0f;
    for (const float v : values) maximum = std::max(maximum, v);
    if (maximum > 0.0f) {
        const float scale = 100.0f / maximum;
        for (float& v : values) v *= scale;
    }
    return maximum;
}

ColourEntry ColourOf(uint32_t colorRef, double value, double isovalue) {
    return {value, isovalue, (colorRef & 0xFF) / 255.0, ((colorRef >> 8) & 0xFF) / 255.0,
            ((colorRef >> 16) & 0xFF) / 255.0};
}

std::vector<ColourEntry> LinearColourEntries(std::span<const uint16_t> levels, std::span<const uint32_t> colours,
                                             double maxValue) {
    const size_t count = std::min(levels.size(), colours.size());
    std::vector<size_t> order(count);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return levels[a] > levels[b]; });

    std::vector<ColourEntry> entries;
    entries.reserve(count + 2);
    entries.push_back(ColourOf(0x00FFFFFF, kAboveAll, 100.0));
    for (const size_t i : order) {
        entries.push_back(ColourOf(colours[i], maxValue * levels[i] / 1000.0, levels[i] / 10.0));
    }
    if (count > 0) entries.push_back(Floor(entries.back(), 0.0));
    return entries;
}

std::vector<ColourEntry> DecibelColourEntries(double maxDecibels, double maxValue) {
    std::vector<ColourEntry> entries;
    entries.reserve(kDecibelLevelCount + 2);
    entries.push_back(ColourOf(0x00FFFFFF, kAboveAll, kDecibelLevels[0]));
    for (int i = 0; i < kDecibelLevelCount; ++i) {
        const double d = kDecibelLevels[i];
        const double value = maxDecibels > 0.0 ? maxValue * (maxDecibels + d) / maxDecibels : 0.0;
        entries.push_back(ColourOf(kDefaultClipColors[i], value, d));
    }
    entries.push_back(Floor(entries.back(), kDecibelLevels[kDecibelLevelCount - 1]));
    return entries;
}

std::vector<ColourEntry> MappingEntries(bool logarithmic, float maximum, std::span<const uint16_t> levels,
                                        std::span<const uint32_t> colours) {
    // The values span 0 … 100 unless every one was 0 or below, when nothing was scaled.
    const double scaledMaximum = maximum > 0.0f ? 100.0 : 0.0;
    return logarithmic ? DecibelColourEntries(maximum, scaledMaximum)
                       : LinearColourEntries(levels, colours, scaledMaximum);
}

const char* LegendTitle(bool logarithmic) { return logarithmic ? "Level (dB)" : "ClipLevels(%)"; }

void Whiten(std::vector<ColourEntry>& entries) {
    for (ColourEntry& e : entries) e.red = e.green = e.blue = 1.0;
}

}  // namespace velor
