// Widths, peaks and edges of the Gaussian fiber, laser diode and multimode fiber, measured on
// profiles over the sweep's angle grid, against the parameters the models were made with.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "instrument/geometry/AngleGrid.h"
#include "instrument/simulation/BeamModel.h"
#include "instrument/simulation/SweepSimulator.h"
#include "quarn/quarn.h"

namespace {

using velor::sim::IdealProfile;

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr float kDistance = 4.65f;  // source 3 cm from the aperture
constexpr double kPeak = 60000.0;

struct Crossings {
    double left = NAN;  // signed polar angles in the sweep plane, degrees
    double right = NAN;
};

// Where the profile falls through level on either side of its highest sample, interpolated.
Crossings CrossingsAt(const std::vector<float>& profile, double level) {
    const velor::SweepGrid grid = velor::MakeSweepGrid(kDistance);
    auto at = [&](std::size_t below, std::size_t above) {
        const double fraction = (level - profile[below]) / (profile[above] - profile[below]);
        return (grid.theta[below] + fraction * (grid.theta[above] - grid.theta[below])) / kDegree;
    };
    const std::size_t peak = std::max_element(profile.begin(), profile.end()) - profile.begin();
    Crossings crossings;
    std::size_t i = peak;
    while (i > 0 && profile[i - 1] >= level) --i;
    if (i > 0) crossings.left = at(i - 1, i);
    i = peak;
    while (i + 1 < profile.size() && profile[i + 1] >= level) ++i;
    if (i + 1 < profile.size()) crossings.right = at(i + 1, i);
    return crossings;
}

TEST(GaussianFiber, FiberLibraryMeasuresTheModeFieldDiameter) {
    const velor::SweepGrid grid = velor::MakeSweepGrid(kDistance);
    for (const auto& [mfd, wavelength] : {std::pair{10.4, 1550.0}, {6.2, 980.0}, {3.5, 633.0}}) {
        const std::vector<float> profile =
            IdealProfile(*velor::sim::MakeGaussianFiber(wavelength, mfd), 0.0, kDistance, kPeak);
        float measured = 0.0f;
        ASSERT_TRUE(Quarn_ComputeMFD(velor::kSamplesPerProfile, profile.data(), grid.theta.data(),
                                     1, 0, velor::kSamplesPerProfile - 1, 0.0f,
                                     static_cast<float>(wavelength), &measured));
        EXPECT_NEAR(measured, mfd, 0.005 * mfd) << wavelength;
    }
}

TEST(LaserDiode, HalfMaximumWidthsAlongThePrincipalAxesAreTheDivergences) {
    const auto diode = velor::sim::MakeLaserDiode(
        {.majorFwhmDeg = 36.0, .minorFwhmDeg = 9.0, .orientationDeg = 30.0});
    for (const auto& [phi, width] : {std::pair{30.0, 36.0}, {210.0, 36.0}, {120.0, 9.0}}) {
        const Crossings half = CrossingsAt(IdealProfile(*diode, phi, kDistance, kPeak), kPeak / 2);
        EXPECT_NEAR(half.right - half.left, width, 0.02) << phi;
        EXPECT_NEAR(half.right + half.left, 0.0, 0.02) << phi;
    }
}

TEST(LaserDiode, TiltMovesThePeakToTheTiltDirection) {
    // The major axis lies in the plane of the tilt, so that plane's sweep shows its full width.
    const auto diode = velor::sim::MakeLaserDiode({.majorFwhmDeg = 20.0,
                                                   .minorFwhmDeg = 8.0,
                                                   .orientationDeg = 70.0,
                                                   .tiltThetaDeg = 12.0,
                                                   .tiltPhiDeg = 70.0});
    EXPECT_NEAR(diode->Intensity(12.0 * kDegree, 70.0 * kDegree), 1.0, 1e-12);
    // The same plane swept from the other side: the beam appears at negative angles.
    for (const auto& [phi, centre] : {std::pair{70.0, 12.0}, {250.0, -12.0}}) {
        const Crossings half = CrossingsAt(IdealProfile(*diode, phi, kDistance, kPeak), kPeak / 2);
        EXPECT_NEAR((half.left + half.right) / 2, centre, 0.02) << phi;
        EXPECT_NEAR(half.right - half.left, 20.0, 0.02) << phi;
    }
}

TEST(MultimodeFiber, FallsToHalfWhereSinThetaIsTheNumericalAperture) {
    for (const double na : {0.1, 0.22, 0.5}) {
        const auto fiber = velor::sim::MakeMultimodeFiber(na);
        const std::vector<float> profile = IdealProfile(*fiber, 45.0, kDistance, kPeak);
        const Crossings half = CrossingsAt(profile, kPeak / 2);
        EXPECT_NEAR(std::sin(half.right * kDegree), na, 5e-4) << na;
        EXPECT_NEAR(std::sin(-half.left * kDegree), na, 5e-4) << na;
        // Flat inside the aperture: half way out it is within 1 % of the peak.
        EXPECT_GT(fiber->Intensity(std::asin(na / 2), 0.0), 0.99) << na;
    }
}

}  // namespace
