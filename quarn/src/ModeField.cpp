// Petermann II mode-field diameter from a far-field intensity scan:
//   MFD = (lambda / pi) * sqrt(2 * int P sin(t) cos(t) dt / int P sin^3(t) cos(t) dt)
// integrated with the trapezoidal rule on the measured, non-uniform angles.

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "quarn/quarn.h"

namespace {

// Trapezoidal weight of sample i within first..last; the end samples get half an interval.
double TrapezoidWeight(const float* angle, std::size_t first, std::size_t last, std::size_t i) {
    if (i == first) return (double{angle[first + 1]} - angle[first]) / 2.0;
    if (i == last) return (double{angle[last]} - angle[last - 1]) / 2.0;
    return (double{angle[i + 1]} - angle[i - 1]) / 2.0;
}

}  // namespace

extern "C" bool Quarn_ComputeMFD(uint16_t count, const float* intensity, const float* angle,
                                 uint16_t threshold, uint16_t first, uint16_t last, float centre,
                                 float wavelength, float* mfd) {
    if (mfd == nullptr) return false;
    *mfd = 0.0f;
    if (intensity == nullptr || angle == nullptr) return false;
    // The weights need a neighbour inside the range on each side of every sample.
    if (!(first < last && last < count)) return false;

    const float minimum = threshold;
    double numerator = 0.0;
    double denominator = 0.0;
    for (std::size_t i = first; i <= last; ++i) {
        const float power = intensity[i];
        if (!(power >= minimum)) continue;  // also drops NaN samples
        const float theta = angle[i] - centre;
        // Signed angles about the centre: the absolute sine folds both sides together.
        const float s = static_cast<float>(std::fabs(std::sin(double{theta})));
        const float c = static_cast<float>(std::cos(double{theta}));
        const double term = TrapezoidWeight(angle, first, last, i) * power * s * c;
        numerator += term;
        denominator += term * s * s;
    }
    if (std::fabs(denominator) < DBL_EPSILON) return false;

    // Both sums share the sign of the grid direction; a non-positive ratio only comes from a
    // non-monotonic angle array and has no diameter.
    const double ratio = 2.0 * numerator / denominator;
    if (!(ratio > 0.0) || !std::isfinite(ratio)) return false;
    *mfd = static_cast<float>(std::sqrt(ratio) / std::numbers::pi * wavelength / 1000.0);
    return true;
}
