// Coordinate changes and the rotation of the axis pair.

#include <gtest/gtest.h>

#include "BeamFixtures.h"

namespace velor::prelum_test {
namespace {

// Interleaved x, y, z with stride 3: spherical and back, the azimuth in [0, 2 pi).
TEST(PrelumChangeSystem, RoundTripOnStridedPoints) {
    std::vector<float> xyz;
    for (int n = 0; n < 200; ++n) {
        const double r = 0.5 + n % 7, theta = (n * 0.9) * kDegree, phi = (n * 13.7 - 900) * kDegree;
        for (const double v : Direction(theta, phi)) xyz.push_back(float(r * v));
    }
    std::vector<float> s = xyz;
    ASSERT_EQ(Prelum_ChangeSystem(1, 200, 3, &s[0], &s[1], &s[2]), 1);
    for (int n = 0; n < 200; ++n) {
        const float* p = &s[3 * n];
        ASSERT_NEAR(p[0], 0.5 + n % 7, 1e-5);
        ASSERT_NEAR(p[1], n * 0.9 * kDegree, 1e-5);
        ASSERT_GE(p[2], 0.0f);
        ASSERT_LT(p[2], 2 * std::numbers::pi);
    }
    ASSERT_EQ(Prelum_ChangeSystem(0, 200, 3, &s[0], &s[1], &s[2]), 1);
    for (std::size_t k = 0; k < s.size(); ++k) ASSERT_NEAR(s[k], xyz[k], 1e-5) << k;
}

TEST(PrelumChangeSystem, AxesAndOrigin) {
    float a[] = {0, 0, 1, 0, 0}, b[] = {0, 0, -1e-9f, -2, 0}, c[] = {0, 4, 0, 0, -1};
    ASSERT_EQ(Prelum_ChangeSystem(1, 5, 1, a, b, c), 1);
    EXPECT_FLOAT_EQ(a[0], 0.0f);  // origin
    EXPECT_FLOAT_EQ(b[1], 0.0f);  // +z: on the axis
    EXPECT_FLOAT_EQ(c[2], 0.0f);  // a hair below +x is azimuth 0, not 2 pi
    EXPECT_FLOAT_EQ(c[3], float(1.5 * std::numbers::pi));
    EXPECT_FLOAT_EQ(b[4], float(std::numbers::pi));
    EXPECT_EQ(Prelum_ChangeSystem(2, 1, 1, a, b, c), 0);
    EXPECT_EQ(Prelum_ChangeSystem(1, 1, 0, a, b, c), 0);
}

TEST(PrelumRotateVectors, RightHandedAboutTheirNormal) {
    float a[] = {1, 0, 0}, b[] = {0, 1, 0};
    ASSERT_EQ(Prelum_RotateVectors(a, b, float(std::numbers::pi / 2)), 1);
    EXPECT_NEAR(a[0], 0, 1e-6);
    EXPECT_NEAR(a[1], 1, 1e-6);
    EXPECT_NEAR(b[0], -1, 1e-6);
    EXPECT_NEAR(b[1], 0, 1e-6);
    // A tilted, non-orthogonal pair keeps its lengths, its angle and its plane.
    float p[] = {0.3f, -0.2f, 0.9f}, q[] = {1.5f, 0.4f, 0.2f};
    const Vec p0{p[0], p[1], p[2]}, q0{q[0], q[1], q[2]};
    ASSERT_EQ(Prelum_RotateVectors(p, q, float(37 * kDegree)), 1);
    const Vec p1{p[0], p[1], p[2]}, q1{q[0], q[1], q[2]};
    EXPECT_NEAR(Dot(p1, p1), Dot(p0, p0), 1e-5);
    EXPECT_NEAR(Dot(p1, q1), Dot(p0, q0), 1e-5);
    EXPECT_NEAR(AngleBetween(p0, p1), 37 * kDegree, 1e-5);
    const Vec normal = Cross(p0, q0);
    EXPECT_NEAR(Dot(normal, p1), 0.0, 1e-5);
    // Right hand: p0 x p1 points along the normal.
    EXPECT_GT(Dot(Cross(p0, p1), normal), 0.0);
}

}  // namespace
}  // namespace velor::prelum_test
