#include "instrument/prelum/SphereGrid.h"

#include <cmath>
#include <numbers>

namespace velor::prelum {

bool ValidGridShape(int azimuthCount, int polarCount) {
    return polarCount >= 2 && azimuthCount >= 3 && azimuthCount % 2 == 1;
}

PolarTerms MakePolarTerms(const float* polar, int polarCount) {
    PolarTerms t;
    const auto n = static_cast<std::size_t>(polarCount);
    t.sinTheta.resize(n);
    t.cosTheta.resize(n);
    t.weight.resize(n);
    for (std::size_t j = 0; j < n; ++j) {
        const double theta = polar[j];
        const double lower = j == 0 ? theta : static_cast<double>(polar[j - 1]);
        const double upper = j + 1 == n ? theta : static_cast<double>(polar[j + 1]);
        t.sinTheta[j] = std::sin(theta);
        t.cosTheta[j] = std::cos(theta);
        t.weight[j] = t.sinTheta[j] * 0.5 * (upper - lower);
    }
    return t;
}

AzimuthTerms MakeAzimuthTerms(int azimuthCount) {
    AzimuthTerms t;
    const int last = azimuthCount - 1;
    t.step = 2.0 * std::numbers::pi / last;
    const auto n = static_cast<std::size_t>(azimuthCount);
    t.cosPhi.resize(n);
    t.sinPhi.resize(n);
    t.weight.assign(n, t.step);
    for (int i = 0; i <= last; ++i) {
        t.cosPhi[i] = std::cos(i * t.step);
        t.sinPhi[i] = std::sin(i * t.step);
    }
    t.weight.front() *= 0.5;
    t.weight.back() *= 0.5;
    return t;
}

}  // namespace velor::prelum
