#pragma once
// The building blocks of the beam parameters: where a profile crosses a clip level and the
// weighted centroid of a profile on a non-uniform angle grid.

#include <cstdint>

namespace velor {

// Position between samples i and i + 1 where the profile passes level; the midpoint when the
// two samples are (nearly) equal. Always within [i, i + 1].
float InterpolateCrossing(const float* y, int i, float level);

// The outermost crossings of the clip level (tenths of a percent of the peak value) on both
// sides of the peak, checked against the innermost ones. False, with both positions 0, when
// a side has no crossing or the crossings contradict each other.
bool FindClipCrossings(const float* y, int n, float peakValue, int peakIndex, uint16_t clip,
                       float* left, float* right);

// Trapezoid-weighted mean angle of the samples at or above threshold; false, with centroid 0,
// when their weights vanish.
bool ComputeCentroid(const float* y, const float* angles, int n, float threshold, double* centroid);

}  // namespace velor
