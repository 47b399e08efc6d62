// Rotation of the axis pair within its own plane (Rodrigues' formula about A x B).

#include <cmath>

#include "instrument/prelum/Prelum.h"
#include "instrument/prelum/Vec3.h"

namespace velor {

int Prelum_RotateVectors(float* axisA, float* axisB, float angle) {
    if (!axisA || !axisB) return 0;
    const prelum::Vec3 a = prelum::Load(axisA);
    const prelum::Vec3 b = prelum::Load(axisB);
    const prelum::Vec3 normal = prelum::Cross(a, b);
    const double length = prelum::Norm(normal);
    if (!(length > 0.0)) return 1;  // no plane to rotate in
    const prelum::Vec3 k = (1.0 / length) * normal;
    const double c = std::cos(static_cast<double>(angle));
    const double s = std::sin(static_cast<double>(angle));
    const auto rotate = [&](prelum::Vec3 v) {
        return c * v + s * prelum::Cross(k, v) + ((1.0 - c) * prelum::Dot(k, v)) * k;
    };
    prelum::Store(rotate(a), axisA);
    prelum::Store(rotate(b), axisB);
    return 1;
}

}  // namespace velor
