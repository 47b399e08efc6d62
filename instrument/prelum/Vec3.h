#pragma once
// Minimal double-precision 3-vector for the component's geometry.

#include <cmath>

namespace velor::prelum {

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(double s, Vec3 a) {
    return {s * a.x, s * a.y, s * a.z};
}
inline double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline double Norm(Vec3 a) {
    return std::sqrt(Dot(a, a));
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline Vec3 Load(const float* v) {
    return {v[0], v[1], v[2]};
}
inline void Store(Vec3 a, float* v) {
    v[0] = static_cast<float>(a.x);
    v[1] = static_cast<float>(a.y);
    v[2] = static_cast<float>(a.z);
}

}  // namespace velor::prelum
