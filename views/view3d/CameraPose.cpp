#include "views/view3d/CameraPose.h"

#include <algorithm>
#include <cmath>

namespace velor {
namespace {

double Dot(const Vector3& a, const Vector3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Vector3 Cross(const Vector3& a, const Vector3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Vector3 Scaled(const Vector3& a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }

Vector3 Minus(const Vector3& a, const Vector3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

double Length(const Vector3& a) { return std::sqrt(Dot(a, a)); }

Vector3 Normalised(const Vector3& a) {
    const double length = Length(a);
    return length > 0.0 ? Scaled(a, 1.0 / length) : a;
}

// Rodrigues' rotation of v about the unit axis.
Vector3 Rotated(const Vector3& v, const Vector3& axis, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const Vector3 cross = Cross(axis, v);
    const double along = Dot(axis, v) * (1.0 - c);
    return {v[0] * c + cross[0] * s + axis[0] * along, v[1] * c + cross[1] * s + axis[1] * along,
            v[2] * c + cross[2] * s + axis[2] * along};
}

// An up vector perpendicular to direction, taken from the hint or, when the hint is parallel
// to the direction, from whichever world axis is least so.
Vector3 PerpendicularUp(const Vector3& direction, const Vector3& hint) {
    Vector3 up = Minus(hint, Scaled(direction, Dot(hint, direction)));
    if (Length(up) > 1e-9) return Normalised(up);
    const Vector3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const Vector3* best = &axes[0];
    for (const Vector3& a : axes) {
        if (std::abs(Dot(a, direction)) < std::abs(Dot(*best, direction))) best = &a;
    }
    return Normalised(Minus(*best, Scaled(direction, Dot(*best, direction))));
}

}  // namespace

CameraFrame FrameOf(const Vector3& axis, double angle) {
    const Vector3 unit = Normalised(axis);
    if (Length(unit) == 0.0) return {{0, 0, -1}, {0, 1, 0}};
    return {Normalised(Rotated({0, 0, -1}, unit, angle)), Normalised(Rotated({0, 1, 0}, unit, angle))};
}

Orientation OrientationOf(const Vector3& direction, const Vector3& up) {
    const Vector3 d = Normalised(direction);
    const Vector3 u = PerpendicularUp(d, up);
    const Vector3 right = Cross(d, u);
    // The rotation's matrix has the turned camera axes as columns: right, up and back (−d).
    const double m[3][3] = {{right[0], u[0], -d[0]}, {right[1], u[1], -d[1]}, {right[2], u[2], -d[2]}};
    // As a quaternion (the branch on the largest component keeps it accurate near 180°).
    const double trace = m[0][0] + m[1][1] + m[2][2];
    double w, x, y, z;
    if (trace > 0.0) {
        const double s = 2.0 * std::sqrt(trace + 1.0);
        w = 0.25 * s;
        x = (m[2][1] - m[1][2]) / s;
        y = (m[0][2] - m[2][0]) / s;
        z = (m[1][0] - m[0][1]) / s;
    } else if (m[0][0] > m[1][1] && m[0][0] > m[2][2]) {
        const double s = 2.0 * std::sqrt(1.0 + m[0][0] - m[1][1] - m[2][2]);
        w = (m[2][1] - m[1][2]) / s;
        x = 0.25 * s;
        y = (m[0][1] + m[1][0]) / s;
        z = (m[0][2] + m[2][0]) / s;
    } else if (m[1][1] > m[2][2]) {
        const double s = 2.0 * std::sqrt(1.0 + m[1][1] - m[0][0] - m[2][2]);
        w = (m[0][2] - m[2][0]) / s;
        x = (m[0][1] + m[1][0]) / s;
        y = 0.25 * s;
        z = (m[1][2] + m[2][1]) / s;
    } else {
        const double s = 2.0 * std::sqrt(1.0 + m[2][2] - m[0][0] - m[1][1]);
        w = (m[1][0] - m[0][1]) / s;
        x = (m[0][2] + m[2][0]) / s;
        y = (m[1][2] + m[2][1]) / s;
        z = 0.25 * s;
    }
    if (w < 0.0) {  // the same rotation with an angle of at most π
        w = -w;
        x = -x;
        y = -y;
        z = -z;
    }
    const double sine = std::sqrt(x * x + y * y + z * z);
    if (sine < 1e-12) return {{0, 0, 1}, 0.0};
    return {{x / sine, y / sine, z / sine}, 2.0 * std::atan2(sine, std::clamp(w, -1.0, 1.0))};
}

CameraFrame LookAt(const Vector3& from, const Vector3& to, const Vector3& upHint) {
    Vector3 direction = Normalised(Minus(to, from));
    if (Length(direction) == 0.0) direction = {0, 0, -1};
    return {direction, PerpendicularUp(direction, upHint)};
}

}  // namespace velor
