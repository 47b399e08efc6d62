#pragma once
// The values a measurement's settings can take: what the program's dialogs and setters can
// produce. Setters ignore anything else, and a file whose settings hold anything else is
// refused like a damaged one: a CRC proves only that the bytes arrived, not that they make
// sense.

#include <cstdint>

namespace velor {

struct CVelor32DocLSData;

inline constexpr int kMaxGainCode = 185;               // setters ignore 186 and above
inline constexpr float kMaxUserDistanceCm = 100.0f;    // the distance dialog's upper bound
inline constexpr float kMaxAngularLimitDeg = 90.0f;    // a half space

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
