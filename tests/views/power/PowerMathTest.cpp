// The power view's numbers: cones about either axis, the cone holding a share of the total,
// the full-scale ladder and the calibration.

#include <gtest/gtest.h>

#include "tests/views/power/PowerCurves.h"
#include "views/power/PowerData.h"

namespace velor::test {
namespace {

TEST(PowerMath, ConePowerInterpolatesBetweenTheSamplesAroundTheAngle) {
    const CurveCase centroid = CurveCase::Centroid(Squares(901));  // Amax = 90°
    const CurveCase axis = CurveCase::Axis(Squares(11));           // Amax = 10°
    const struct {
        const char* what;
        const CurveCase& c;
        double degrees;
        int index;  // −1: not asked (the cone reaches the largest half-angle)
        double value;
    } cases[] = {
        {"centroid 45°: samples 450 and 451", centroid, 45.0, 451, 450.0 * 450.0},
        {"centroid 45.05°: half way to 451", centroid, 45.05, 451, 450.0 * 450.0 + 0.5 * (451.0 * 451.0 - 450.0 * 450.0)},
        {"centroid 0°: the first sample", centroid, 0.0, 1, 0.0},
        {"centroid at Amax: the total", centroid, 90.0, -1, 900.0 * 900.0},
        {"centroid beyond Amax: the total", centroid, 95.0, -1, 900.0 * 900.0},
        {"axis 3.5°: samples 3 and 4", axis, 3.5, 4, 9.0 + 0.5 * 7.0},
        {"axis 3° exactly: sample 3", axis, 3.0, 3, 9.0},
        {"axis 0°: no sample inside", axis, 0.0, 0, 0.0},
        {"axis at Amax: the total", axis, 10.0, -1, 100.0},
        {"axis beyond Amax: the total", axis, 89.0, -1, 100.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PowerCurve curve = c.c.Curve();
        if (c.index >= 0) {
            EXPECT_EQ(ConeIndex(curve, c.degrees), c.index);
        }
        EXPECT_NEAR(ConeValue(curve, c.degrees), c.value, 1e-6 * (1.0 + c.value));
    }
}

TEST(PowerMath, ConeHoldingAShareInterpolatesToTheTarget) {
    const CurveCase centroid = CurveCase::Centroid({0, 1, 2, 3, 4});
    const CurveCase axis = CurveCase::Axis({1, 2, 4, 8});
    const struct {
        const char* what;
        const CurveCase& c;
        double percent;
        double degrees;
    } cases[] = {
        {"50 % reached exactly at sample 2", centroid, 50.0, 0.2},
        {"62.5 % half way from sample 2 to 3", centroid, 62.5, 0.25},
        {"100 %: the last sample", centroid, 100.0, 0.4},
        {"0 %: reached at the first sample, which gives its angle", centroid, 0.0, 0.0},
        {"axis 75 % (6 of 8) between 2° and 3°", axis, 75.0, 2.5},
        {"axis 10 %: reached at the first sample", axis, 10.0, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Radians go to degrees with the factor 57.29578: close to, not exactly, 180 / π.
        EXPECT_NEAR(PercentHalfAngle(c.c.Curve(), c.percent), c.degrees, 1e-6);
    }
    EXPECT_EQ(PercentHalfAngle(PowerCurve{}, 50.0), 0.0) << "an empty curve";
}

TEST(PowerMath, FullScaleIsTheNextStepOfTheLadder) {
    const struct {
        double top;
        double scale;
    } cases[] = {{3.7, 4.0},   {1.15, 1.2}, {0.05, 0.1}, {12.5, 15.0}, {100.0, 100.0},
                 {0.999, 1.0}, {2.0, 2.0},  {2.01, 2.5}, {0.0, 0.0},   {-3.0, 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.top);
        EXPECT_NEAR(FullScale(c.top), c.scale, 1e-12);
    }
}

TEST(PowerMath, ResultsNeedACalibrationAndScaleByReferenceOverIntegral) {
    const CurveCase centroid = CurveCase::Centroid(Squares(901));
    CPowerData settings;  // cones 5, 10, 45°; shares 25, 50, 75 %
    settings.m_fCalCounts = 0.0f;
    EXPECT_FALSE(ComputePowerResults(centroid.Curve(), settings)) << "no reference power entered";

    settings.m_fCalCounts = 810000.0f;  // the total
    settings.m_fRefPower = 2.0f;
    const std::optional<PowerResults> r = ComputePowerResults(centroid.Curve(), settings);
    ASSERT_TRUE(r);
    EXPECT_DOUBLE_EQ(r->total, 2.0);
    EXPECT_DOUBLE_EQ(r->conePower[0], 2.0 * 2500.0 / 810000.0);
    EXPECT_DOUBLE_EQ(r->conePower[2], 2.0 * 202500.0 / 810000.0);
    EXPECT_NEAR(r->percentAngle[1], 90.0 / std::sqrt(2.0), 0.01);  // k² reaches half at k = 900/√2
}

}  // namespace
}  // namespace velor::test
