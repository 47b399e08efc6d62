// Cumulative power in cones about the centroid of a Gaussian far field.

#include <gtest/gtest.h>

#include "BeamFixtures.h"

namespace velor::prelum_test {
namespace {

struct Cones {
    int ok = 0;
    uint16_t count = 0;
    std::vector<float> power = std::vector<float>(1801, -1.0f);
};

Cones Power(const Measurement& m, double thetaC, double phiC, int16_t threshold) {
    Cones c;
    c.ok = Prelum_ComputePower(m.Azimuths(), kPolarCount, m.polar.data(), m.grid.data(),
                               float(thetaC), float(phiC), threshold, &c.count, c.power.data());
    return c;
}

// The same total as summed over the sweeps about the optical axis: scans 0..N-1, both halves,
// |sin theta| (v - threshold)+ dtheta pi / N with the trapezoid dtheta of each sample.
double OpticalAxisTotal(const Measurement& m, double threshold) {
    double total = 0.0;
    for (int k = 0; k < m.n; ++k) {
        for (int s = 0; s < kSamples; ++s) {
            const double lo = m.theta[std::max(s - 1, 0)],
                         hi = m.theta[std::min(s + 1, kSamples - 1)];
            const double v = std::max(m.scans[k * kSamples + s] - threshold, 0.0);
            total += std::fabs(std::sin(m.theta[s])) * v * 0.5 * (hi - lo) * std::numbers::pi / m.n;
        }
    }
    return total;
}

// Fraction within a of the centroid: 1 - exp(-2 (sin a / sin w)^2), up to the obliquity of
// a beam this narrow.
TEST(PrelumConePower, GaussianFractionAboutTheCentroid) {
    const double w = 5 * kDegree;
    for (const int n : {50, 200}) {
        const Measurement m = Measure(Gaussian(Direction(10 * kDegree, 30 * kDegree), w), n);
        // The document's route: centroid vector, then its polar and azimuth angles in place.
        float v[3];
        ASSERT_EQ(Prelum_ComputeCentroidPosition(m.Azimuths(), kPolarCount, m.polar.data(),
                                                 m.grid.data(), v),
                  1);
        ASSERT_EQ(Prelum_ChangeSystem(1, 1, 1, &v[0], &v[1], &v[2]), 1);
        const float theta = v[1], phi = v[2];
        const Cones c = Power(m, theta, phi, 0);
        ASSERT_EQ(c.ok, 1);
        const double total = c.power[c.count - 1];
        EXPECT_NEAR(total, OpticalAxisTotal(m, 0), 0.005 * total);
        for (int k = 0; k < c.count; ++k) {
            const double s = std::sin(k * 0.1 * kDegree) / std::sin(w);
            ASSERT_NEAR(c.power[k] / total, 1.0 - std::exp(-2.0 * s * s), 0.005) << n << ' ' << k;
        }
    }
}

// A flat background at the threshold level takes nothing away from the beam's cone powers.
TEST(PrelumConePower, ThresholdRemovesABackground) {
    const Beam beam = Gaussian(Direction(5 * kDegree, 300 * kDegree), 8 * kDegree);
    const Measurement bare = Measure(beam, 20);
    const Measurement lifted = Measure([&](const Vec& u) { return beam(u) + 40.0; }, 20);
    const Cones reference = Power(bare, 5 * kDegree, 300 * kDegree, 0);
    const Cones c = Power(lifted, 5 * kDegree, 300 * kDegree, 40);
    ASSERT_EQ(c.count, reference.count);
    const double total = reference.power[c.count - 1];
    for (int k = 0; k < c.count; ++k) ASSERT_NEAR(c.power[k], reference.power[k], 1e-5 * total);
    EXPECT_NEAR(total, OpticalAxisTotal(lifted, 40), 0.005 * total);
}

// The table ends at the farthest measured cell: the rim opposite a centroid on an azimuth row.
TEST(PrelumConePower, CountReachesTheFarthestCell) {
    const Measurement m = Measure(Gaussian({0, 0, 1}, 8 * kDegree), 50);
    for (const double tilt : {0.0, 7.33}) {
        const Cones c = Power(m, tilt * kDegree, 36 * kDegree, 0);
        ASSERT_EQ(c.ok, 1);
        const double farthest = tilt + m.polar.back() / kDegree;
        EXPECT_EQ(c.count, 1 + static_cast<int>(std::ceil(farthest / 0.1)));
        EXPECT_EQ(c.power[c.count], -1.0f);  // nothing written past the table
    }
}

TEST(PrelumConePower, RejectsBadInput) {
    const Measurement m = Measure(Gaussian({0, 0, 1}, 8 * kDegree), 10);
    uint16_t count = 0;
    std::vector<float> power(1801);
    EXPECT_EQ(Prelum_ComputePower(20, kPolarCount, m.polar.data(), m.grid.data(), 0, 0, 0, &count,
                                  power.data()),
              0);
    EXPECT_EQ(Prelum_ComputePower(21, kPolarCount, m.polar.data(), nullptr, 0, 0, 0, &count,
                                  power.data()),
              0);
    EXPECT_EQ(Prelum_ComputePower(21, kPolarCount, m.polar.data(), m.grid.data(), NAN, 0, 0, &count,
                                  power.data()),
              0);
}

}  // namespace
}  // namespace velor::prelum_test
