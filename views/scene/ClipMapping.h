#pragma once
// The steps the 3D and topographic views share between the document's thinned 3D data and
// the colours on screen: the logarithmic rule, the normalisation to 0 … 100, and the entries
// of the colour mapping, for the user's clip levels or for the fixed decibel levels.

#include <cstdint>
#include <span>
#include <vector>

namespace velor {

// Every value at or below 1 becomes 0, every other one 10 · log10 of itself.
void ApplyDecibelRule(std::span<float> values);

// Scales the values so that their maximum becomes 100, unless that maximum is not above 0;
// returns the maximum found before scaling.
float NormaliseToPercent(std::span<float> values);

// One point of the piecewise colour mapping: data values at `value` take the colour, and the
// legend labels the point with `isovalue`. Colours are 0 … 1.
struct ColourEntry {
    double value;
    double isovalue;
    double red;
    double green;
    double blue;
};

// The fixed levels of the logarithmic scale, in decibels below the maximum; they take the
// default clip colours in order.
inline constexpr int kDecibelLevelCount = 9;
inline constexpr double kDecibelLevels[kDecibelLevelCount] = {0, -3, -10, -13, -20, -23, -30, -33, -40};

// Entries for the user's levels (tenths of a percent) on values scaled to `maxValue`: one per
// level, highest first, at maxValue · level / 1000 labelled level / 10; above them white at
// 65535 labelled 100; below them the lowest level's colour down to 0, labelled 0. Levels come
// out highest first whatever order the table has.
std::vector<ColourEntry> LinearColourEntries(std::span<const uint16_t> levels, std::span<const uint32_t> colours,
                                             double maxValue);

// Entries for the fixed decibel levels on values that were `maxDecibels` at their maximum
// before being scaled to `maxValue`: level d sits at maxValue · (maxDecibels + d) / maxDecibels
// and is labelled d; white above, the darkest colour down to 0 and below.
std::vector<ColourEntry> DecibelColourEntries(double maxDecibels, double maxValue);

// The mapping of values that went through the decibel rule (when logarithmic) and the
// normalisation, `maximum` being what the normalisation found: the fixed decibel levels on
// the logarithmic scale, the user's table on the linear one.
std::vector<ColourEntry> MappingEntries(bool logarithmic, float maximum, std::span<const uint16_t> levels,
                                        std::span<const uint32_t> colours);

// The legend's title for the scale.
const char* LegendTitle(bool logarithmic);

// The polar surface is shaded, not coloured: every entry turns white.
void Whiten(std::vector<ColourEntry>& entries);

// A COLORREF (0x00BBGGRR) as 0 … 1 components.
ColourEntry ColourOf(uint32_t colorRef, double value, double isovalue);

}  // namespace velor
