#pragma once
// The 3D views' own steps from the thinned 3D data to a surface: closing the seam where the
// first and the last azimuth scan meet, and the node coordinates of either kind of surface.

#include <span>
#include <vector>

namespace velor {

// Values are rows (theta, symmetric about 0) of `columns` (phi 0 … π). The first value of row
// i and the last value of row rows − 1 − i look in the same direction (theta at phi 0 is
// −theta at phi 180°): both become their mean.
void CloseSeam(std::span<float> values, int rows, int columns);

enum class SurfaceKind { Polar, Rectangular };

// Node coordinates, x y z per node, rows of `columns` in the order of the values; theta in
// degrees, phi in radians, values already scaled. Polar: the value is the radius in the
// direction (theta, phi); rectangular: the angles lie flat (90 units per radian) and the
// value is the height.
std::vector<float> SurfaceCoordinates(SurfaceKind kind, std::span<const float> thetaDeg, std::span<const float> phi,
                                      std::span<const float> values);

}  // namespace velor
