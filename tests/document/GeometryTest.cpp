// The sweep geometry against the arm's own geometry, the field-of-view table, the peak
// finder's edge rule and the counts-to-intensity factor.

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

#include "instrument/geometry/AngleGrid.h"
#include "document/IntensityFactor.h"
#include "document/PeakFinder.h"

namespace velor {
namespace {

TEST(AngleGrid, MonotonicCentredAndReachingTheArmsEdge) {
    for (const float userDistance : {0.0f, 0.37f, 2.0f, 10.0f, 55.5f, 100.0f}) {
        SCOPED_TRACE(userDistance);
        const float d = userDistance + 1.65f;
        std::vector<float> theta(3241), weight(3241);
        ComputeAngleGrid(d, theta.data(), weight.data());
        for (int i = 1; i < 3241; ++i) ASSERT_GT(theta[i], theta[i - 1]) << i;
        EXPECT_EQ(theta[1620], 0.0f);
        EXPECT_FLOAT_EQ(weight[1620], 1.0f);
        const double edge = std::atan(6.62 / d);
        EXPECT_NEAR(theta[3240], edge, 1e-6);
        EXPECT_NEAR(theta[0], -edge, 1e-6);
        for (int i = 0; i < 1620; ++i) ASSERT_EQ(theta[i], -theta[3240 - i]) << "symmetric at " << i;
    }
}

TEST(AngleGrid, EachSampleLooksAtTheArmPositionFromTheSource) {
    // Detector at arm angle t on a circle of radius R about a point D in front of the source:
    // position (R sin t, D + R cos t); the polar angle as seen from the source follows.
    const double d = 5.65, r = 6.62;
    std::vector<float> theta(3241), weight(3241);
    ComputeAngleGrid(static_cast<float>(d), theta.data(), weight.data());
    for (const int i : {0, 1, 400, 1619, 1621, 2500, 3239, 3240}) {
        const double t = (i / 3240.0 - 0.5) * std::numbers::pi;
        const double x = r * std::sin(t), z = d + r * std::cos(t);
        EXPECT_NEAR(theta[i], std::atan2(x, z), 2e-7) << i;
        // Inverse-square distance and obliquity of the detector face relative to the centre.
        const double dist = std::hypot(x, z);
        const double expected = std::pow(dist / (d + r), 2) / std::cos(std::atan2(x, z) - t);
        EXPECT_NEAR(weight[i], expected, 1e-5 * expected) << i;
    }
}

TEST(FieldOfView, CloseDistancesFollowTheGeometricLimit) {
    for (const double x : {0.0, 1.0, 2.19}) {
        const double d = x + 1.65;
        const double a1 = 90.0 - std::atan(2.0 * d / 10.16) * 180.0 / std::numbers::pi;
        EXPECT_NEAR(FieldOfViewLimitDegrees(static_cast<float>(d)), a1, 1e-4) << x;
    }
}

TEST(FieldOfView, TableRowsAndInterpolationBetweenThem) {
    auto limit = [](double x) { return FieldOfViewLimitDegrees(static_cast<float>(x + 1.65)); };
    // At rows (where the table is below the geometric limit).
    EXPECT_NEAR(limit(3.0), 45.35, 1e-3);
    EXPECT_NEAR(limit(5.0), 29.84, 1e-3);
    EXPECT_NEAR(limit(10.0), 16.51, 1e-3);
    EXPECT_NEAR(limit(20.0), 8.79, 1e-3);
    // Halfway between rows.
    EXPECT_NEAR(limit(5.25), (29.84 + 27.57) / 2, 1e-3);
    EXPECT_NEAR(limit(12.5), (14.05 + 13.06) / 2, 1e-3);
    // Beyond the table the last segment goes on.
    EXPECT_NEAR(limit(21.0), 8.79 - 0.43, 1e-3);
    // Near 2.2 the geometric limit and the table meet; the smaller one wins.
    const double a1At = 90.0 - std::atan(2.0 * 3.9 / 10.16) * 180.0 / std::numbers::pi;
    EXPECT_NEAR(limit(2.25), std::min(a1At, (52.84 + 52.13) / 2), 1e-3);
}

TEST(PeakFinder, EdgeRuleAndTies) {
    std::vector<float> p(100, 0.0f);
    float peak = -1;
    uint16_t index = 0;

    p[50] = 7.0f;
    p[60] = 7.0f;  // equal maximum later: the first wins
    EXPECT_EQ(FindPeak(p.data(), 100, &peak, &index), 1);
    EXPECT_EQ(peak, 7.0f);
    EXPECT_EQ(index, 50);

    std::fill(p.begin(), p.end(), 0.0f);
    p[0] = 9.0f;  // at the first sample: index told, value withheld
    EXPECT_EQ(FindPeak(p.data(), 100, &peak, &index), 0);
    EXPECT_EQ(peak, 0.0f);
    EXPECT_EQ(index, 0);

    std::fill(p.begin(), p.end(), 0.0f);
    p[89] = 9.0f;  // last index inside: n − 11
    EXPECT_EQ(FindPeak(p.data(), 100, &peak, &index), 1);
    p[89] = 0.0f;
    p[90] = 9.0f;  // within the last ten
    EXPECT_EQ(FindPeak(p.data(), 100, &peak, &index), 0);
    EXPECT_EQ(index, 90);

    std::fill(p.begin(), p.end(), -3.0f);  // all negative: maximum 0 at index 0
    EXPECT_EQ(FindPeak(p.data(), 100, &peak, &index), 0);
    EXPECT_EQ(index, 0);

    EXPECT_EQ(FindPeak(p.data(), 0, &peak, &index), 0);
    EXPECT_EQ(peak, 0.0f);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(FindPeak(p.data(), 5, &peak, &index), 0) << "too short for any peak";
}

TEST(IntensityFactor, IsGainScaledPowerOverCalibrationAtTheDetectorDistance) {
    // K = 10^(−g/20) · P · (D + 6.62)² / C, whatever the calibration gain.
    for (const uint16_t calGain : {0, 20, 57}) {
        const IntensityCalibration cal{40, calGain, 2.5f, 1.0e6f, 3.65f};
        const double expected = std::pow(10.0, -40 / 20.0) * 2.5 * std::pow(3.65 + 6.62, 2) / 1.0e6;
        EXPECT_NEAR(ComputeIntensityFactor(cal, 0.0f), expected, expected * 1e-6) << calGain;
    }
    // Without a calibration the previous factor stays.
    EXPECT_EQ(ComputeIntensityFactor({0, 0, 1.0f, 0.0f, 1.65f}, 0.125f), 0.125f);
}

}  // namespace
}  // namespace velor
