// Effective area against closed forms: a Gaussian near field, a flat disc and a single ring,
// and the inputs that enclose no area.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "quarn/quarn.h"

namespace {

constexpr double kPi = std::numbers::pi;

// Gaussian near field exp(-2 r^2 / w0^2): Aeff = pi w0^2.
TEST(EffectiveArea, GaussianNearFieldIsPiWaistSquared) {
    const double waist = 5.2;
    const float step = 0.05f;
    std::vector<float> field;
    for (int i = 0; i * step <= 3.0 * waist; ++i) {
        const double r = i * double{step};
        field.push_back(static_cast<float>(std::exp(-2.0 * r * r / (waist * waist))));
    }
    const double expected = kPi * waist * waist;
    EXPECT_NEAR(Quarn_ComputeEffArea(static_cast<uint16_t>(field.size()), field.data(), step),
                expected, 1e-3 * expected);
}

// A flat near field of radius N h has the area of that disc.
TEST(EffectiveArea, ConstantIntensityIsTheDisc) {
    const std::vector<float> field(101, 3.5f);
    const double expected = kPi * (100 * 0.5) * (100 * 0.5);
    EXPECT_NEAR(Quarn_ComputeEffArea(101, field.data(), 0.5f), expected, 1e-5 * expected);
}

TEST(EffectiveArea, SingleRingIsPiStepSquaredWhateverItsIntensity) {
    for (const float value : {0.01f, 1.0f, 250.0f}) {
        const std::vector<float> field = {1000.0f, value};
        EXPECT_NEAR(Quarn_ComputeEffArea(2, field.data(), 0.8f), kPi * 0.64, 1e-5) << value;
    }
}

TEST(EffectiveArea, IsZeroWithoutARingOrWithoutIntensity) {
    const std::vector<float> centreOnly = {5.0f};
    EXPECT_EQ(Quarn_ComputeEffArea(1, centreOnly.data(), 1.0f), 0.0f);
    EXPECT_EQ(Quarn_ComputeEffArea(0, centreOnly.data(), 1.0f), 0.0f);
    EXPECT_EQ(Quarn_ComputeEffArea(3, nullptr, 1.0f), 0.0f);

    const std::vector<float> dark(50, 0.0f);
    EXPECT_EQ(Quarn_ComputeEffArea(50, dark.data(), 1.0f), 0.0f);
    // Half of 1e-4 squared is far below the single-precision epsilon.
    const std::vector<float> faint = {1.0f, 1e-4f};
    EXPECT_EQ(Quarn_ComputeEffArea(2, faint.data(), 1.0f), 0.0f);
}

}  // namespace
