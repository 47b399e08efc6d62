#pragma once
// Fixed geometry of the instrument (distances in centimetres).

namespace velor {

// Added to the user's aperture-source distance before it is stored.
inline constexpr float kApertureOffset = 1.65f;
// Radius of the detector arm.
inline constexpr float kRotationRadius = 6.62f;
// First field-of-view limit.
inline constexpr double kGeometricFieldConstant = 10.16;

inline constexpr int kSamplesPerProfile = 3241;  // one sweep covers 3240 equal steps
inline constexpr int kCentreSample = 1620;       // the sample at theta 0

}  // namespace velor
