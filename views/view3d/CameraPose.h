#pragma once
// The camera as the 3D view's record keeps it, an orientation given as a rotation (axis and
// angle) of a camera that looks down −z with +y up, and the same camera as a viewing
// direction with an up vector, as renderers take it.

#include <array>

namespace velor {

using Vector3 = std::array<double, 3>;

struct CameraFrame {
    Vector3 direction;  // unit vector the camera looks along
    Vector3 up;         // unit vector, perpendicular to direction
};

struct Orientation {
    Vector3 axis;  // unit vector; (0, 0, 1) for no rotation
    double angle;  // radians, 0 … π
};

// The default camera turned by the rotation. An axis of length 0 means no rotation.
CameraFrame FrameOf(const Vector3& axis, double angle);

// The rotation that turns the default camera into one looking along direction with the given
// up (which need only not be parallel to direction).
Orientation OrientationOf(const Vector3& direction, const Vector3& up);

// The camera at `from` looking at `to`, its up as near to `upHint` as it can be.
CameraFrame LookAt(const Vector3& from, const Vector3& to, const Vector3& upHint);

}  // namespace velor
