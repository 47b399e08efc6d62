#pragma once
// A number the user typed, kept in tenths (clip levels in tenths of a percent, angles in
// tenths of a degree): rounded half away from zero, so that -30 stays -300 and what the
// user typed is what every table shows again.

namespace velor {

// 29.95 → 300, -0.05 → -1, -0.04 → 0, -30 → -300. Values beyond ±100 000 000 (far outside
// any field that stores tenths) are held at that bound.
int TenthsFromUserValue(float value);

}  // namespace velor
