// The polar grid built from the sweeps, and the beam's centroid and principal axes on it.

#include <gtest/gtest.h>

#include "BeamFixtures.h"

namespace velor::prelum_test {
namespace {

Vec Centroid(const Measurement& m) {
    float v[3] = {};
    EXPECT_EQ(
        Prelum_ComputeCentroidPosition(m.Azimuths(), kPolarCount, m.polar.data(), m.grid.data(), v),
        1);
    return {v[0], v[1], v[2]};
}

double Azimuth(const Vec& v) {
    return std::atan2(v[1], v[0]);
}

// Every cell holds the beam's value at the cell's own direction, on both halves of the sweeps.
TEST(PrelumFlipData, EveryCellHoldsTheBeamAtItsDirection) {
    const Beam beam = Elliptical(Direction(12 * kDegree, 70 * kDegree),
                                 Direction(90 * kDegree, 160 * kDegree), 15 * kDegree, 6 * kDegree);
    const Measurement m = Measure(beam, 10);
    for (int i = 0; i < m.Azimuths(); ++i) {
        ASSERT_NEAR(m.azimuth[i], i * std::numbers::pi / 10, 1e-6) << i;
        for (int j = 0; j < kPolarCount; j += 7) {
            ASSERT_GE(m.polar[j], 0.0f);
            ASSERT_NEAR(m.grid[i * kPolarCount + j], beam(Direction(m.polar[j], m.azimuth[i])),
                        0.05)
                << i << ' ' << j;
        }
    }
}

TEST(PrelumFlipData, RejectsMismatchedSizes) {
    const Measurement m = Measure(Gaussian({0, 0, 1}, 5 * kDegree), 10);
    std::vector<float> polar(kPolarCount), azimuth(21), grid(21 * kPolarCount);
    const auto flip = [&](int thetaCount, int scans, int polarCount, int azimuths) {
        return Prelum_FlipData(thetaCount, scans, m.theta.data(), m.phi.data(), m.scans.data(),
                               polarCount, azimuths, polar.data(), azimuth.data(), grid.data());
    };
    EXPECT_EQ(flip(kSamples, 11, kPolarCount, 21), 1);
    EXPECT_EQ(flip(kSamples, 11, kPolarCount, 22), 0);
    EXPECT_EQ(flip(kSamples, 11, kPolarCount - 1, 21), 0);
    EXPECT_EQ(flip(kSamples - 1, 11, kPolarCount, 21), 0);
    EXPECT_EQ(flip(kSamples, 1, kPolarCount, 1), 0);
}

struct Tilt {
    const char* name;
    double theta, phi;  // degrees
    int n;
    double tolerance;  // degrees
};
void PrintTo(const Tilt& t, std::ostream* os) {
    *os << t.name;
}

class PrelumCentroid : public testing::TestWithParam<Tilt> {};

TEST_P(PrelumCentroid, RecoversTheBeamAxis) {
    const Vec axis = Direction(GetParam().theta * kDegree, GetParam().phi * kDegree);
    const Measurement m = Measure(Gaussian(axis, 8 * kDegree), GetParam().n);
    EXPECT_LT(AngleBetween(Centroid(m), axis), GetParam().tolerance * kDegree);
}

INSTANTIATE_TEST_SUITE_P(Beams, PrelumCentroid,
                         testing::Values(Tilt{"CentredN10", 0, 0, 10, 0.05},
                                         Tilt{"CentredN50", 0, 0, 50, 0.05},
                                         Tilt{"Tilt10At30N50", 10, 30, 50, 0.1},
                                         Tilt{"Tilt20At250N100", 20, 250, 100, 0.1},
                                         Tilt{"Tilt6At358N20", 6, 358, 20, 0.1}),
                         [](const testing::TestParamInfo<Tilt>& info) { return info.param.name; });

TEST(PrelumCentroidFailure, NoPositiveIntensity) {
    Measurement m = Measure(Gaussian({0, 0, 1}, 5 * kDegree), 10);
    for (float& v : m.grid) v = -v;
    float vec[3] = {1, 1, 1};
    EXPECT_EQ(Prelum_ComputeCentroidPosition(21, kPolarCount, m.polar.data(), m.grid.data(), vec),
              0);
    std::fill(m.grid.begin(), m.grid.end(), 0.0f);
    EXPECT_EQ(Prelum_ComputeCentroidPosition(21, kPolarCount, m.polar.data(), m.grid.data(), vec),
              0);
}

struct Ellipse {
    const char* name;
    Vec axis, major;
    int n;
};
void PrintTo(const Ellipse& e, std::ostream* os) {
    *os << e.name;
}

class PrelumTwoAxis : public testing::TestWithParam<Ellipse> {};

// A is the major axis (either sign), B = c x A, all perpendicular unit vectors.
TEST_P(PrelumTwoAxis, MajorAxisOfAnEllipticalBeam) {
    const Ellipse e = GetParam();
    const Measurement m = Measure(Elliptical(e.axis, e.major, 15 * kDegree, 5 * kDegree), e.n);
    const Vec c = Centroid(m);
    float a[3], b[3];
    ASSERT_EQ(Prelum_FindTwoAxis(kPolarCount, m.Azimuths(), m.polar.data(), m.grid.data(),
                                 float(c[0]), float(c[1]), float(c[2]), a, b),
              1);
    const Vec va{a[0], a[1], a[2]}, vb{b[0], b[1], b[2]};
    EXPECT_GT(std::fabs(Dot(va, e.major)), std::cos(1 * kDegree));
    EXPECT_NEAR(Dot(va, va), 1.0, 1e-5);
    EXPECT_NEAR(Dot(vb, vb), 1.0, 1e-5);
    EXPECT_NEAR(Dot(va, vb), 0.0, 1e-5);
    EXPECT_NEAR(Dot(va, c) / std::sqrt(Dot(c, c)), 0.0, 1e-5);
    EXPECT_NEAR(Dot(vb, e.major), 0.0, std::sin(1 * kDegree));
    EXPECT_NEAR(Dot(vb, Cross(c, va)) / std::sqrt(Dot(c, c)), 1.0, 1e-5);  // B = c x A
    // The documented sign: A's azimuth in [0, pi).
    EXPECT_GE(Azimuth(va), 0.0);
    EXPECT_LT(Azimuth(va), std::numbers::pi);
}

INSTANTIATE_TEST_SUITE_P(
    Beams, PrelumTwoAxis,
    testing::Values(Ellipse{"Major20N50", {0, 0, 1}, Direction(90 * kDegree, 20 * kDegree), 50},
                    Ellipse{"Major110N20", {0, 0, 1}, Direction(90 * kDegree, 110 * kDegree), 20},
                    Ellipse{"Major200N50", {0, 0, 1}, Direction(90 * kDegree, 200 * kDegree), 50},
                    Ellipse{"TiltedAcrossN50", Direction(10 * kDegree, 30 * kDegree),
                            Direction(90 * kDegree, 120 * kDegree), 50}),
    [](const testing::TestParamInfo<Ellipse>& info) { return info.param.name; });

TEST(PrelumTwoAxisFailure, ZeroCentroid) {
    const Measurement m = Measure(Gaussian({0, 0, 1}, 5 * kDegree), 10);
    float a[3], b[3];
    EXPECT_EQ(Prelum_FindTwoAxis(kPolarCount, 21, m.polar.data(), m.grid.data(), 0, 0, 0, a, b), 0);
}

}  // namespace
}  // namespace velor::prelum_test
