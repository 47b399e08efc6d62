#pragma once
// Geometry of the sweep: where each of the 3241 samples of a profile lies in polar angle as
// seen from the source, the per-sample weight that corrects for the arm's geometry, and the
// field-of-view limit of the aperture-source distance.

#include <vector>

#include "instrument/geometry/SweepGeometry.h"

namespace velor {

// Fills theta (radians) and the grid weights for the stored distance D (user distance + 1.65).
void ComputeAngleGrid(float storedDistance, float* theta, float* weight);

// The same as vectors of 3241 samples.
struct SweepGrid {
    std::vector<float> theta;
    std::vector<float> weight;
};
SweepGrid MakeSweepGrid(float storedDistance);

// Field-of-view limit angle in degrees for the stored distance D.
double FieldOfViewLimitDegrees(float storedDistance);

}  // namespace velor
