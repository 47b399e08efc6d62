// Folding a two-sided profile about its peak: a Gaussian far field on the instrument's grid,
// the choice of fold centre among equal peak samples, and the failures.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "FarFieldProfiles.h"
#include "TestAngleGrid.h"
#include "quarn/quarn.h"

namespace {

struct Folded {
    bool ok = false;
    std::vector<float> values;
    std::vector<float> angles;
};

class FoldData : public testing::Test {
protected:
    void TearDown() override { Quarn_ReleaseMemory(); }

    static Folded Fold(const std::vector<float>& v, const std::vector<float>& x, float peak) {
        float* values = nullptr;
        float* angles = nullptr;
        uint16_t count = 99;
        Folded f;
        f.ok = Quarn_FoldData(static_cast<uint16_t>(v.size()), v.data(), x.data(), peak, &values,
                              &angles, &count);
        if (f.ok) {
            f.values.assign(values, values + count);
            f.angles.assign(angles, angles + count);
        } else {
            EXPECT_TRUE(values == nullptr && angles == nullptr && count == 0);
        }
        return f;
    }
};

// Folding a symmetric far field about its peak gives the one-sided profile against |theta|.
TEST_F(FoldData, SymmetricFarFieldFoldsOntoItsOneSidedProfile) {
    const std::vector<float> grid = quarn::test::DocumentAngleGrid(3.0f);
    const std::vector<float> profile = quarn::test::GaussianFarField(grid, 4.6, 1310.0);
    const Folded f = Fold(profile, grid, profile[quarn::test::kCentreSample]);
    ASSERT_TRUE(f.ok);
    ASSERT_EQ(f.values.size(), 1621u);
    EXPECT_EQ(f.values[0], profile[quarn::test::kCentreSample]);
    EXPECT_EQ(f.angles[0], 0.0f);
    const std::vector<float> expected = quarn::test::GaussianFarField(f.angles, 4.6, 1310.0);
    for (std::size_t j = 0; j < f.values.size(); ++j) {
        ASSERT_NEAR(f.values[j], expected[j], 1e-3f * quarn::test::kFullScale) << j;
        // The grid is symmetric about sample 1620 to within its single-precision centre offset.
        ASSERT_NEAR(f.angles[j], std::fabs(grid[quarn::test::kCentreSample + j]), 5e-5f) << j;
    }
}

struct FoldCase {
    const char* what;
    std::vector<float> values;
    float peak;
    std::vector<float> foldedValues;
    std::vector<float> foldedAngles;
};

// Angles 0, 1, 2, ...: the folded angles are distances from the fold centre in samples.
TEST_F(FoldData, CentresOnTheMiddleMatch) {
    const std::vector<FoldCase> cases = {
        {"single match off centre: min(z + 1, count - z) pairs",
         {0.5f, 1, 9, 4, 3, 1, 0},
         9.0f,
         {9.0f, 2.5f, 1.75f},
         {0.0f, 1.0f, 2.0f}},
        {"single match on the first sample", {0.5f, 1, 9}, 0.5f, {0.5f}, {0.0f}},
        {"single match on the last sample", {1, 2, 3, 5}, 5.0f, {5.0f}, {0.0f}},
        {"three matches: the middle one",
         {0, 1, 7, 7, 7, 2, 0},
         7.0f,
         {7.0f, 7.0f, 1.5f, 0.0f},
         {0.0f, 1.0f, 2.0f, 3.0f}},
        // For an even number of matches the centre is the middle of the two central ones.
        {"two adjacent matches: the gap between them",
         {1, 3, 8, 8, 3, 1},
         8.0f,
         {8.0f, 3.0f, 1.0f},
         {0.5f, 1.5f, 2.5f}},
        {"two adjacent matches off centre",
         {1, 2, 8, 8, 6, 3, 2, 1},
         8.0f,
         {8.0f, 4.0f, 2.0f},
         {0.5f, 1.5f, 2.5f}},
        {"two matches on the last samples", {1, 2, 3, 3}, 3.0f, {3.0f}, {0.5f}},
        {"four matches: between the second and the third",
         {9, 0, 9, 9, 2, 9},
         9.0f,
         {9.0f, 1.0f, 9.0f},
         {0.5f, 1.5f, 2.5f}},
        {"two matches two apart: the sample between them",
         {0, 5, 1, 5, 0},
         5.0f,
         {1.0f, 5.0f, 0.0f},
         {0.0f, 1.0f, 2.0f}},
    };
    for (const FoldCase& c : cases) {
        std::vector<float> x(c.values.size());
        for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<float>(i);
        const Folded f = Fold(c.values, x, c.peak);
        ASSERT_TRUE(f.ok) << c.what;
        EXPECT_EQ(f.values, c.foldedValues) << c.what;
        EXPECT_EQ(f.angles, c.foldedAngles) << c.what;
    }
}

TEST_F(FoldData, FailsWithoutAnythingToFoldAbout) {
    const std::vector<float> x = {0, 1, 2, 3};
    EXPECT_FALSE(Fold({1, 2, 3, 2}, x, 5.0f).ok);  // peak not present
    EXPECT_FALSE(Fold({}, {}, 0.0f).ok);           // no samples
}

}  // namespace
