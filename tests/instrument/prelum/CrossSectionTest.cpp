// Cross sections along great circles, compared with the beam evaluated along the same circle.

#include <gtest/gtest.h>

#include "BeamFixtures.h"

namespace velor::prelum_test {
namespace {

constexpr double kStep = kDegree / 18.0;

struct Cut {
    int ok = 0;
    uint16_t count = 0;
    float planeAzimuth = -1.0f;
    std::vector<float> angles = std::vector<float>(3241), values = std::vector<float>(3241);
};

Cut Intersect(const Measurement& m, const Vec& d, const Vec& a, int maxSamples = 3241) {
    const float dir[3] = {float(d[0]), float(d[1]), float(d[2])};
    const float axis[3] = {float(a[0]), float(a[1]), float(a[2])};
    Cut c;
    c.ok = Prelum_ComputeIntersectionData(dir, axis, m.polar.data(), m.grid.data(), kPolarCount,
                                          m.Azimuths(), maxSamples, &c.count, c.angles.data(),
                                          c.values.data(), &c.planeAzimuth);
    return c;
}

Vec OnCircle(const Vec& d, const Vec& a, double t) {
    return {std::cos(t) * d[0] + std::sin(t) * a[0], std::cos(t) * d[1] + std::sin(t) * a[1],
            std::cos(t) * d[2] + std::sin(t) * a[2]};
}

// Through the axis of a symmetric beam every cut is the 1D profile, over the whole measured cap.
TEST(PrelumCrossSection, CentredBeamGivesTheProfileAlongAnyAxis) {
    const double w = 8 * kDegree;
    const Measurement m = Measure(Gaussian({0, 0, 1}, w), 20);
    for (const double psi : {0.0, 7.3, 45.0, 123.4, 200.0, 359.0}) {
        const Cut c = Intersect(m, {0, 0, 1}, Direction(90 * kDegree, psi * kDegree));
        ASSERT_EQ(c.ok, 1);
        EXPECT_NEAR(c.planeAzimuth, std::fmod(psi, 180.0) * kDegree, 1e-5);
        EXPECT_GT(c.angles[0], -m.polar.back() - 1e-6);
        EXPECT_LT(c.angles[0], -m.polar.back() + kStep);
        EXPECT_NEAR(c.angles[c.count - 1], -c.angles[0], 1e-6);
        for (int n = 0; n < c.count; ++n) {
            if (n > 0) {
                ASSERT_NEAR(c.angles[n] - c.angles[n - 1], kStep, 1e-6);
            }
            const double s = std::sin(c.angles[n]) / std::sin(w);
            ASSERT_NEAR(c.values[n], 1000.0 * std::exp(-2.0 * s * s), 5.0) << psi << ' ' << n;
        }
    }
}

// Off the optical axis the azimuth interpolation matters, also across azimuth 0 = 2 pi and
// through the pole; the cut through the centroid peaks there.
TEST(PrelumCrossSection, OffAxisBeamAlongTheCircle) {
    const Vec axis = Direction(10 * kDegree, 355 * kDegree);
    const Beam beam = Gaussian(axis, 8 * kDegree);
    const Measurement m = Measure(beam, 50);
    const Vec pole{0, 0, 1};
    const std::array<std::array<Vec, 2>, 4> cuts = {
        {{axis, Direction(90 * kDegree, 85 * kDegree)},
         {axis, Direction(100 * kDegree, 355 * kDegree)},
         {pole, Direction(90 * kDegree, 0)},
         {pole, Direction(90 * kDegree, 60 * kDegree)}}};
    for (const auto& [d, a] : cuts) {
        const Cut c = Intersect(m, d, a);
        ASSERT_EQ(c.ok, 1);
        int peak = 0;
        for (int n = 0; n < c.count; ++n) {
            ASSERT_NEAR(c.values[n], beam(OnCircle(d, a, c.angles[n])), 5.0) << n;
            if (c.values[n] > c.values[peak]) peak = n;
        }
        // Linear in azimuth, the peak can sit on the nearest row: half a cell's arc away.
        if (d == axis) {
            EXPECT_NEAR(c.angles[peak], 0.0, 0.5 * std::sin(10 * kDegree) * std::numbers::pi / 50);
        }
    }
}

TEST(PrelumCrossSection, SampleLimitKeepsTheRunCentred) {
    const Measurement m = Measure(Gaussian({0, 0, 1}, 8 * kDegree), 10);
    const Cut c = Intersect(m, {0, 0, 1}, {1, 0, 0}, 101);
    ASSERT_EQ(c.ok, 1);
    ASSERT_EQ(c.count, 101);
    EXPECT_NEAR(c.angles[0], -50 * kStep, 1e-6);
    EXPECT_NEAR(c.angles[100], 50 * kStep, 1e-6);
}

TEST(PrelumCrossSection, Failures) {
    const Measurement m = Measure(Gaussian({0, 0, 1}, 8 * kDegree), 10);
    const Vec z{0, 0, 1}, x{1, 0, 0};
    EXPECT_EQ(Intersect(m, {0, 0, 0}, x).ok, 0);
    EXPECT_EQ(Intersect(m, z, {0, 0, 0}).ok, 0);
    EXPECT_EQ(Intersect(m, z, {0, 0, -3}).ok, 0);
    const Cut outside = Intersect(m, Direction(m.polar.back() + 0.01, 0), {0, 1, 0});
    EXPECT_EQ(outside.ok, 0);
    EXPECT_EQ(outside.count, 0);
    EXPECT_EQ(Intersect(m, z, x, 1).ok, 0);
    // Just inside the rim, heading outwards the run is short but exists.
    const Cut rim = Intersect(m, Direction(m.polar.back() - kStep / 2, 0), x);
    EXPECT_EQ(rim.ok, 1);
    EXPECT_LE(rim.angles[rim.count - 1], kStep);
    // Touching the rim from inside along it, only t = 0 is within the cap (the rim's small
    // circle curves away from the great circle on both sides).
    const Measurement far = Measure(Gaussian({0, 0, 1}, 1 * kDegree), 10, 100.0);
    const double rise = std::acos(std::cos(kStep) * std::cos(far.polar.back())) - far.polar.back();
    const Cut touch = Intersect(far, Direction(far.polar.back() - rise / 2, 0), {0, 1, 0});
    EXPECT_EQ(touch.ok, 0);
    EXPECT_EQ(touch.count, 0);
}

// The axis is one point seen from every sweep: a cut through it takes one value there, the
// mean of the sweeps' centre samples, whatever its azimuth, even when those samples differ.
TEST(PrelumCrossSection, AxisIsOnePoint) {
    Measurement m = Measure(Gaussian({0, 0, 1}, 8 * kDegree), 10);
    double mean = 0.0;
    for (int i = 0; i < 20; ++i) {
        m.grid[i * kPolarCount] += float(i % 2 == 0 ? 3 * i : -2 * i);
        mean += m.grid[i * kPolarCount] / 20.0;
    }
    m.grid[20 * kPolarCount] = m.grid[0];  // azimuth 2 pi is azimuth 0
    for (const double psi : {0.0, 13.0, 100.0, 171.0}) {
        const Cut c = Intersect(m, {0, 0, 1}, Direction(90 * kDegree, psi * kDegree));
        const auto zero = std::find(c.angles.begin(), c.angles.begin() + c.count, 0.0f);
        ASSERT_NE(zero, c.angles.begin() + c.count);
        EXPECT_NEAR(c.values[zero - c.angles.begin()], mean, 1e-3) << psi;
    }
}

}  // namespace
}  // namespace velor::prelum_test
