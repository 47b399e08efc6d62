// Cartesian <-> spherical, in place, on strided arrays.

#include <cmath>
#include <cstddef>
#include <numbers>

#include "instrument/prelum/Prelum.h"

namespace velor {

namespace {

void ToSpherical(float& a, float& b, float& c) {
    const double x = a, y = b, z = c;
    const double r = std::sqrt(x * x + y * y + z * z);
    double theta = 0.0, phi = 0.0;
    if (r > 0.0) {
        // atan2 of the in-plane length keeps full precision near the axis, unlike acos(z / r).
        theta = std::atan2(std::sqrt(x * x + y * y), z);
        phi = std::atan2(y, x);
        if (phi < 0.0) phi += 2.0 * std::numbers::pi;
    }
    float phiF = static_cast<float>(phi);
    // A tiny negative azimuth plus 2 pi rounds to 2 pi in single precision; that is 0.
    if (phiF >= static_cast<float>(2.0 * std::numbers::pi)) phiF = 0.0f;
    a = static_cast<float>(r);
    b = static_cast<float>(theta);
    c = phiF;
}

void ToCartesian(float& a, float& b, float& c) {
    const double r = a, theta = b, phi = c;
    a = static_cast<float>(r * std::sin(theta) * std::cos(phi));
    b = static_cast<float>(r * std::sin(theta) * std::sin(phi));
    c = static_cast<float>(r * std::cos(theta));
}

}  // namespace

int Prelum_ChangeSystem(int direction, int count, int stride, float* a, float* b, float* c) {
    if (!a || !b || !c || count < 0 || stride < 1 || (direction != 0 && direction != 1)) {
        return 0;
    }
    for (int n = 0; n < count; ++n) {
        const std::size_t k = static_cast<std::size_t>(n) * stride;
        if (direction == 1) {
            ToSpherical(a[k], b[k], c[k]);
        } else {
            ToCartesian(a[k], b[k], c[k]);
        }
    }
    return 1;
}

}  // namespace velor
