// Mode-field diameter of Gaussian far fields as the measurement document asks for it, of
// one-sided profiles and of a two-sample range, and the failures.

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "FarFieldProfiles.h"
#include "TestAngleGrid.h"
#include "quarn/quarn.h"

namespace {

using quarn::test::DocumentAngleGrid;
using quarn::test::GaussianFarField;
using quarn::test::kSamples;

constexpr uint16_t kThreshold = 16;  // counts, as the measurement document passes it

// Trapezoid-weighted mean angle of the samples at or above the threshold: the centre the
// document hands to the mode-field computation.
double Centroid(const std::vector<float>& profile, const std::vector<float>& angles) {
    const std::size_t n = profile.size();
    double sum = 0.0;
    double weights = 0.0;
    for (std::size_t j = 0; j < n; ++j) {
        if (profile[j] < kThreshold) continue;
        const double span = j == 0       ? angles[1] - angles[0]
                            : j == n - 1 ? angles[n - 1] - angles[n - 2]
                                         : angles[j + 1] - angles[j - 1];
        sum += angles[j] * profile[j] * span / 2.0;
        weights += profile[j] * span / 2.0;
    }
    return sum / weights;
}

struct GaussianCase {
    double waistUm;
    float wavelengthNm;
    float distanceCm;
    double tiltDeg;
};

// Printed in test names; the default would dump the struct's bytes, padding included.
void PrintTo(const GaussianCase& c, std::ostream* os) {
    *os << c.waistUm << " um at " << c.wavelengthNm << " nm, " << c.distanceCm << " cm, tilt "
        << c.tiltDeg;
}

class GaussianModeField : public testing::TestWithParam<GaussianCase> {};

// The diameter as the measurement document asks for it: about the centroid, over the samples
// within an angular limit (here 30 degrees) of it. The threshold of 16 counts cuts the tails
// at 2.4e-4 of the peak, which biases the result by about +0.1 %.
TEST_P(GaussianModeField, IsTwiceTheWaist) {
    const GaussianCase c = GetParam();
    const std::vector<float> grid = DocumentAngleGrid(c.distanceCm);
    const std::vector<float> profile =
        GaussianFarField(grid, c.waistUm, c.wavelengthNm, c.tiltDeg * std::numbers::pi / 180.0);
    const double centre = Centroid(profile, grid);
    const double centreDeg = centre * 180.0 / std::numbers::pi;
    const uint16_t lower = quarn::test::FindGridIndex(grid, centreDeg - 30.0);
    const uint16_t upper = quarn::test::FindGridIndex(grid, centreDeg + 30.0);
    float mfd = -1.0f;
    ASSERT_TRUE(Quarn_ComputeMFD(kSamples, profile.data(), grid.data(), kThreshold, lower, upper,
                                 static_cast<float>(centre), c.wavelengthNm, &mfd));
    EXPECT_NEAR(mfd, 2.0 * c.waistUm, 0.002 * 2.0 * c.waistUm);
}

INSTANTIATE_TEST_SUITE_P(FarFields, GaussianModeField,
                         testing::Values(GaussianCase{4.6, 1310.0f, 3.0f, 0.0},
                                         GaussianCase{5.2, 1550.0f, 3.0f, 0.0},
                                         GaussianCase{5.2, 1550.0f, 10.0f, 0.0},
                                         GaussianCase{4.6, 1310.0f, 2.0f, 4.0}),
                         [](const testing::TestParamInfo<GaussianCase>& info) {
                             const GaussianCase& c = info.param;
                             return std::to_string(static_cast<int>(c.wavelengthNm)) + "nm_" +
                                    std::to_string(static_cast<int>(c.distanceCm)) + "cm_tilt" +
                                    std::to_string(static_cast<int>(c.tiltDeg));
                         });

// A one-sided profile about its first sample: the same diameter on a descending grid (angles
// negated: theta is signed, only |sin| counts), and the on-axis sample carries no weight.
TEST(ModeField, OneSidedProfileAboutItsFirstSample) {
    std::vector<float> angles = quarn::test::OneSidedAngles(3.0f);
    std::vector<float> profile = GaussianFarField(angles, 4.6, 1310.0);
    const auto n = static_cast<uint16_t>(angles.size());
    const auto last = static_cast<uint16_t>(n - 1);
    auto diameter = [&] {
        float mfd = 0.0f;
        EXPECT_TRUE(Quarn_ComputeMFD(n, profile.data(), angles.data(), kThreshold, 0, last,
                                     angles[0], 1310.0f, &mfd));
        return mfd;
    };
    const float right = diameter();
    EXPECT_NEAR(right, 9.2, 0.002 * 9.2);
    for (float& a : angles) a = -a;
    EXPECT_FLOAT_EQ(diameter(), right);
    profile[0] = 1.0e30f;
    EXPECT_FLOAT_EQ(diameter(), right);
}

// first + 1 = last: only the two end samples count, each with half the single spacing.
TEST(ModeField, TwoSampleRangeWeighsBothEndsEqually) {
    const std::vector<float> angles = {-0.3f, 0.05f, 0.15f, 0.3f};
    const std::vector<float> profile = {50000.0f, 4000.0f, 1000.0f, 50000.0f};
    double first = 0.0;
    double third = 0.0;
    for (int i = 1; i <= 2; ++i) {
        const double s = std::sin(double{angles[i]});
        first += profile[i] * s * std::cos(double{angles[i]});
        third += profile[i] * s * s * s * std::cos(double{angles[i]});
    }
    const double expected = 1.310 / std::numbers::pi * std::sqrt(2.0 * first / third);
    float mfd = 0.0f;
    ASSERT_TRUE(
        Quarn_ComputeMFD(4, profile.data(), angles.data(), kThreshold, 1, 2, 0.0f, 1310.0f, &mfd));
    EXPECT_NEAR(mfd, expected, 1e-5 * expected);
}

TEST(ModeField, FailsWithZeroWithoutUsableSamplesOrOutsideFirstBelowLastBelowCount) {
    const std::vector<float> angles = {-0.2f, -0.1f, 0.1f, 0.2f};
    const std::vector<float> bright(4, 1000.0f);
    const std::vector<float> dim(4, 15.0f);  // below the threshold
    const std::vector<float> onAxis(4, 0.0f);
    struct Case {
        const float* intensity;
        const float* angle;
        uint16_t count, first, last;
    };
    for (const Case c :
         {Case{dim.data(), angles.data(), 4, 0, 3}, Case{bright.data(), onAxis.data(), 4, 0, 3},
          Case{nullptr, angles.data(), 4, 0, 3}, Case{bright.data(), angles.data(), 4, 2, 2},
          Case{bright.data(), angles.data(), 4, 3, 1}, Case{bright.data(), angles.data(), 4, 1, 4},
          Case{bright.data(), angles.data(), 0, 0, 1}}) {
        float mfd = 7.0f;
        EXPECT_FALSE(Quarn_ComputeMFD(c.count, c.intensity, c.angle, kThreshold, c.first, c.last,
                                      0.0f, 1310.0f, &mfd));
        EXPECT_EQ(mfd, 0.0f);
    }
}

}  // namespace
