#pragma once
// Fixed geometry of the instrument and the layout of one sweep (distances in centimetres).

namespace velor {

// Added to the user's aperture-source distance before it is stored.
inline constexpr float kApertureOffset = 1.65f;
// Radius of the detector arm.
inline constexpr float kRotationRadius = 6.62f;
// First field-of-view limit.
inline constexpr double kGeometricFieldConstant = 10.16;

inline constexpr int kSamplesPerProfile = 3241;  // one sweep covers 3240 equal steps
inline constexpr int kCentreSample = 1620;       // the sample at theta 0
inline constexpr int kSamplesPerSweep = 4096;    // words read from the board per sweep
// Words beyond the sweep's end where the detector sees no light: the dark window.
inline constexpr int kDarkWindowFirst = 3641;
inline constexpr int kDarkWindowCount = 200;

}  // namespace velor
