#pragma once
// The values a measurement's settings can take: what the program's dialogs, setters and
// acquisition can produce. One range per field of the settings record (see SettingsFields):
// the dialogs and setters use the same ranges, setters ignore anything else, and a file
// whose settings hold anything else is refused like a damaged one: a CRC proves only that
// the bytes arrived, not that they make sense.

#include <cstdint>
#include <span>

#include "instrument/geometry/SweepGeometry.h"

namespace velor {

struct CVelor32DocLSData;

// The values one field may hold: low to high (high itself excluded when asked), or only the
// listed choices, or anything at all. NaN is within no range but "anything".
struct ValueRange {
    double low = 0.0;
    double high = 0.0;
    bool highExcluded = false;
    std::span<const double> choices = {};
    bool anything = false;

    bool Allows(double value) const;
};

inline constexpr int kMaxGainCode = 185;               // setters ignore 186 and above
inline constexpr float kMaxUserDistanceCm = 100.0f;    // the distance dialog's upper bound
inline constexpr float kMaxAngularLimitDeg = 90.0f;    // a half space

inline constexpr double kScanModeChoices[] = {0, 2};  // 3 exists only while a 3D run holds the document
inline constexpr double kScans3DChoices[] = {10, 20, 50, 100, 200};

inline constexpr ValueRange kAnyValue{.anything = true};
inline constexpr ValueRange kGainRange{0, kMaxGainCode};
inline constexpr ValueRange kScanModeRange{.choices = kScanModeChoices};
inline constexpr ValueRange kFilterRange{1, 99};
inline constexpr ValueRange kAveragingRange{1, 32767};
inline constexpr ValueRange kScans3DRange{.choices = kScans3DChoices};
inline constexpr ValueRange kUserDistanceRange{0, kMaxUserDistanceCm};
// As stored, with the aperture offset added in single precision: a distance the dialog
// accepted comes back within this slack of its bounds.
inline constexpr double kStoredDistanceSlack = 1e-4;
inline constexpr ValueRange kStoredDistanceRange{kApertureOffset - kStoredDistanceSlack,
                                                 kApertureOffset + kMaxUserDistanceCm + kStoredDistanceSlack};
inline constexpr ValueRange kPhiRange{0, 360, true};
// Dark offsets and noise levels are taken from 16-bit samples: never below 0 or above full scale.
inline constexpr ValueRange kCountsRange{0, 65535};
inline constexpr ValueRange kReferencePowerRange{1, 1000};
// The calibration integral is the 3D total of a measurement: a field at full scale in every
// direction gives about 1.8e7 at the longest distance, and profiles stitched over several gain
// ranges reach a thousand times full scale; this leaves a wide margin above both.
inline constexpr ValueRange kCalCountsRange{0, 1e12};
inline constexpr ValueRange kUnitsRange{0, 2};
inline constexpr ValueRange kAngularLimitRange{0, kMaxAngularLimitDeg};
// Wavelengths the instrument's detector heads can see, with margin.
inline constexpr ValueRange kWavelengthRange{100, 3000};
inline constexpr ValueRange kSourceFrequencyRange{0.1, 20};

bool IsValidGainCode(int gain);
bool IsValidUserDistance(float centimetres);
bool IsValidWavelength(float nm);
bool IsValidAngularLimit(float degrees);
bool IsValidSourceFrequency(float kHz);
bool IsValidReferencePower(float power);

// True when every field of a record read from a file is one the program could have written.
// The units text is cut to end within its field (a file may hold it without its terminator).
bool CheckLoadedSettings(CVelor32DocLSData& settings);

}  // namespace velor
