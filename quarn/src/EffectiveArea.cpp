// Effective area Aeff = 2 pi (int I r dr)^2 / int I^2 r dr of a near-field intensity on the
// uniform radial grid r = i * step, by the trapezoidal rule. The sums are single precision.

#include <cfloat>
#include <cmath>
#include <numbers>

#include "quarn/quarn.h"

extern "C" float Quarn_ComputeEffArea(uint16_t count, const float* nearField, float step) {
    // A single sample sits at r = 0 and encloses no area; count 0 has no outer sample at all.
    if (nearField == nullptr || count < 2) return 0.0f;

    const int outer = count - 1;
    const float outerValue = nearField[outer];
    // The outer sample carries half the trapezoidal weight; r = 0 contributes nothing.
    float firstMoment = 0.5f * static_cast<float>(outer) * outerValue;
    float secondMoment = 0.5f * static_cast<float>(outer) * (outerValue * outerValue);
    for (int i = 1; i < outer; ++i) {
        const float radius = static_cast<float>(i);
        const float value = nearField[i];
        firstMoment += radius * value;
        secondMoment += radius * (value * value);
    }
    if (std::fabs(secondMoment) < FLT_EPSILON) return 0.0f;

    const double h = step;
    const double s1 = firstMoment;
    return static_cast<float>(2.0 * std::numbers::pi * h * h * s1 * s1 / secondMoment);
}
