#include "views/view3d/SurfaceGeometry.h"

#include <cmath>
#include <numbers>

namespace velor {

void CloseSeam(std::span<float> values, int rows, int columns) {
    if (rows <= 0 || columns <= 0 || values.size() < static_cast<size_t>(rows) * columns) return;
    // Every node of the first and of the last column belongs to exactly one pair.
    for (int i = 0; i < rows; ++i) {
        float& first = values[static_cast<size_t>(i) * columns];
        float& last = values[static_cast<size_t>(rows - 1 - i) * columns + columns - 1];
        const float mean = 0.5f * (first + last);
        first = mean;
        last = mean;
    }
}

std::vector<float> SurfaceCoordinates(SurfaceKind kind, std::span<const float> thetaDeg, std::span<const float> phi,
                                      std::span<const float> values) {
    const size_t rows = thetaDeg.size();
    const size_t columns = phi.size();
    std::vector<float> xyz(rows * columns * 3);
    std::vector<double> cosPhi(columns), sinPhi(columns);
    for (size_t k = 0; k < columns; ++k) {
        cosPhi[k] = std::cos(static_cast<double>(phi[k]));
        sinPhi[k] = std::sin(static_cast<double>(phi[k]));
    }
    for (size_t i = 0; i < rows; ++i) {
        const double theta = thetaDeg[i] * std::numbers::pi / 180.0;
        const double sinTheta = std::sin(theta);
        const double cosTheta = std::cos(theta);
        for (size_t k = 0; k < columns; ++k) {
            const size_t node = i * columns + k;
            const double v = values[node];
            float* p = &xyz[node * 3];
            if (kind == SurfaceKind::Polar) {
                p[0] = static_cast<float>(-v * sinTheta * cosPhi[k]);
                p[1] = static_cast<float>(v * sinTheta * sinPhi[k]);
                p[2] = static_cast<float>(v * cosTheta);
            } else {
                p[0] = static_cast<float>(-90.0 * theta * cosPhi[k]);
                p[1] = static_cast<float>(90.0 * theta * sinPhi[k]);
                p[2] = static_cast<float>(v);
            }
        }
    }
    return xyz;
}

}  // namespace velor
