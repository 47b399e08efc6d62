// Lobe signs of far-field profiles with known nulls, and the window checks.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "FarFieldProfiles.h"
#include "TestAngleGrid.h"
#include "quarn/quarn.h"

namespace {

using quarn::test::LobedField;

std::vector<int16_t> SignsOf(const std::vector<float>& profile, uint16_t threshold,
                             uint16_t window) {
    std::vector<int16_t> signs(profile.size(), 0);
    int16_t* out = signs.data();
    EXPECT_TRUE(Quarn_SignData(static_cast<uint16_t>(profile.size()), profile.data(), threshold,
                               window, &out));
    return signs;
}

// Positions where the sign changes.
std::vector<std::size_t> Flips(const std::vector<int16_t>& signs) {
    std::vector<std::size_t> at;
    for (std::size_t i = 1; i < signs.size(); ++i) {
        if (signs[i] != signs[i - 1]) at.push_back(i);
    }
    return at;
}

TEST(SignData, FlipsAtEachNullBetweenLobes) {
    const std::vector<float> angles = quarn::test::OneSidedAngles(3.0f);
    const LobedField field{{0.1, 0.18}, 0.15};  // lobes of 65535, 10502 and 20343 counts
    const std::vector<int16_t> signs = SignsOf(field.Intensity(angles), 16, 60);
    ASSERT_EQ(signs.front(), 1);
    const std::vector<std::size_t> expected = {quarn::test::NearestIndex(angles, std::asin(0.1)),
                                               quarn::test::NearestIndex(angles, std::asin(0.18))};
    EXPECT_EQ(Flips(signs), expected);
    EXPECT_EQ(signs.back(), 1);  // third lobe: positive again
}

TEST(SignData, SingleNullGivesPlusBeforeAndMinusFromIt) {
    const std::vector<float> angles = quarn::test::OneSidedAngles(3.0f);
    const LobedField field{{0.15}, 0.1};
    const std::vector<int16_t> signs = SignsOf(field.Intensity(angles), 4, 40);
    const std::size_t null = quarn::test::NearestIndex(angles, std::asin(0.15));
    for (std::size_t i = 0; i < signs.size(); ++i) {
        ASSERT_EQ(signs[i], i < null ? 1 : -1) << i;
    }
}

TEST(SignData, ProfileWithoutValleysIsAllPositive) {
    const std::vector<float> angles = quarn::test::OneSidedAngles(3.0f);
    const std::vector<float> gaussian = quarn::test::GaussianFarField(angles, 4.6, 1310.0);
    for (const uint16_t window : {2, 11, 60}) {
        const std::vector<int16_t> signs = SignsOf(gaussian, 16, window);
        EXPECT_TRUE(Flips(signs).empty()) << window;
        EXPECT_EQ(signs.front(), 1);
    }
}

TEST(SignData, ThresholdZeroDisablesTheSearch) {
    const std::vector<float> angles = quarn::test::OneSidedAngles(3.0f);
    const std::vector<int16_t> signs = SignsOf(LobedField{{0.15}, 0.1}.Intensity(angles), 0, 40);
    EXPECT_TRUE(Flips(signs).empty());
    EXPECT_EQ(signs.front(), 1);
}

TEST(SignData, RejectsAWindowThatDoesNotFitAndLeavesSignsAlone) {
    const std::vector<float> profile = {9, 8, 6, 3, 1, 3, 6, 8, 9};
    std::vector<int16_t> signs(9, 7);
    int16_t* out = signs.data();
    EXPECT_FALSE(Quarn_SignData(9, profile.data(), 1, 9, &out));
    EXPECT_FALSE(Quarn_SignData(9, profile.data(), 1, 0, &out));
    EXPECT_FALSE(Quarn_SignData(0, profile.data(), 1, 0, &out));
    int16_t* none = nullptr;
    EXPECT_FALSE(Quarn_SignData(9, profile.data(), 1, 4, &none));
    EXPECT_EQ(signs, std::vector<int16_t>(9, 7));

    EXPECT_TRUE(Quarn_SignData(9, profile.data(), 1, 4, &out));
    EXPECT_EQ(signs, (std::vector<int16_t>{1, 1, 1, 1, -1, -1, -1, -1, -1}));
}

}  // namespace
