#pragma once
// Power curves built by hand: about the centroid every 0.1°, about the optical axis on a
// symmetric grid of whole degrees.

#include <cmath>
#include <numbers>
#include <vector>

#include "views/power/PowerMath.h"

namespace velor::test {

inline constexpr double kRadian = std::numbers::pi / 180.0;

struct CurveCase {
    std::vector<float> values;
    std::vector<float> grid;  // empty about the centroid

    // n samples at k / 10 degrees.
    static CurveCase Centroid(std::vector<float> values) { return {std::move(values), {}}; }
    // Sample k at k degrees, on a grid from −(n − 1)° to +(n − 1)°.
    static CurveCase Axis(std::vector<float> values) {
        CurveCase c{std::move(values), {}};
        const int n = static_cast<int>(c.values.size());
        for (int i = 0; i < 2 * n - 1; ++i) c.grid.push_back(static_cast<float>((i - (n - 1)) * kRadian));
        return c;
    }
    PowerCurve Curve() const {
        return {values.data(), static_cast<int>(values.size()), grid.empty() ? nullptr : grid.data()};
    }
};

// E[k] = k², so that interpolating between two samples shows which two were used.
inline std::vector<float> Squares(int n) {
    std::vector<float> v;
    for (int k = 0; k < n; ++k) v.push_back(static_cast<float>(k) * static_cast<float>(k));
    return v;
}

}  // namespace velor::test
