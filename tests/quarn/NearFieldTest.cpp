// The near-field transform against analytic Gaussian and two-lobe fields, its weights, and how
// long the arrays it hands out stay valid.

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "FarFieldProfiles.h"
#include "TestAngleGrid.h"
#include "quarn/quarn.h"

namespace {

constexpr float kStepUm = 0.1f;

class NearField : public testing::Test {
protected:
    void TearDown() override { Quarn_ReleaseMemory(); }

    // Near field of a one-sided profile with the given signs, copied out of the library.
    static std::vector<float> Transform(const std::vector<float>& profile,
                                        const std::vector<float>& angles,
                                        const std::vector<int16_t>& signs, float wavelengthNm) {
        float* field = nullptr;
        uint16_t radii = 0;
        EXPECT_TRUE(Quarn_NearField(static_cast<uint16_t>(profile.size()), profile.data(),
                                    angles.data(), signs.data(), kStepUm, wavelengthNm, &field,
                                    &radii));
        return {field, field + radii};
    }

    // The whole chain on a two-sided scan: fold about the peak, sign the lobes, transform.
    static std::vector<float> Chain(const std::vector<float>& profile,
                                    const std::vector<float>& grid, float wavelengthNm,
                                    uint16_t window) {
        const float peak = *std::max_element(profile.begin(), profile.end());
        float* folded = nullptr;
        float* angles = nullptr;
        uint16_t n = 0;
        EXPECT_TRUE(Quarn_FoldData(static_cast<uint16_t>(profile.size()), profile.data(),
                                   grid.data(), peak, &folded, &angles, &n));
        std::vector<int16_t> signs(n);
        int16_t* signsOut = signs.data();
        EXPECT_TRUE(Quarn_SignData(n, folded, 16, window, &signsOut));
        return Transform({folded, folded + n}, {angles, angles + n}, signs, wavelengthNm);
    }
};

// Radius (in steps) where the intensity has fallen to 1/e^2 of its value on the axis; the
// logarithm is interpolated, as it is quadratic in r for a Gaussian.
double OneOverESquaredRadius(const std::vector<float>& field) {
    const double target = std::log(field[0]) - 2.0;
    for (std::size_t k = 1; k < field.size(); ++k) {
        if (std::log(field[k]) < target) {
            const double before = std::log(field[k - 1]);
            return k - 1 + (before - target) / (before - std::log(field[k]));
        }
    }
    return 0.0;
}

struct GaussianCase {
    double waistUm;
    float wavelengthNm;
};

// Printed in test names; the default would dump the struct's bytes, padding included.
void PrintTo(const GaussianCase& c, std::ostream* os) {
    *os << c.waistUm << " um at " << c.wavelengthNm << " nm";
}

class GaussianNearField : public NearField, public testing::WithParamInterface<GaussianCase> {};

// A Gaussian far field of waist w0 comes from the near field exp(-2 r^2 / w0^2).
TEST_P(GaussianNearField, HasTheWaistAsRadiusAndPiWaistSquaredAsArea) {
    const GaussianCase c = GetParam();
    const std::vector<float> grid = quarn::test::DocumentAngleGrid(3.0f);
    const std::vector<float> field = Chain(
        quarn::test::GaussianFarField(grid, c.waistUm, c.wavelengthNm), grid, c.wavelengthNm, 40);
    ASSERT_GT(field.size(), 10u);
    EXPECT_LT(field.back(), 1e-4f * field[0]);  // it stops 40 dB down
    EXPECT_NEAR(OneOverESquaredRadius(field) * kStepUm, c.waistUm, 0.01 * c.waistUm);
    const double area = std::numbers::pi * c.waistUm * c.waistUm;
    EXPECT_NEAR(Quarn_ComputeEffArea(static_cast<uint16_t>(field.size()), field.data(), kStepUm),
                area, 0.01 * area);
}

INSTANTIATE_TEST_SUITE_P(Fibers, GaussianNearField,
                         testing::Values(GaussianCase{4.6, 1310.0f}, GaussianCase{5.2, 1550.0f},
                                         GaussianCase{3.0, 980.0f}),
                         [](const testing::TestParamInfo<GaussianCase>& info) {
                             return std::to_string(static_cast<int>(info.param.wavelengthNm)) +
                                    "nm";
                         });

// Far-field amplitude (1 - s^2/s0^2) exp(-s^2/sa^2), s = sin(theta) = lambda q. Its Hankel
// transform int F J0(2 pi r q) q dq is proportional to exp(-b) (1 - g (1 - b)) with
// b = (pi r sa / lambda)^2 and g = sa^2 / s0^2. Returns the largest deviation of `field` from
// its square, both normalised to their maxima.
double DeviationFromTwoLobe(const std::vector<float>& field, const quarn::test::LobedField& f) {
    std::vector<double> expected;
    for (std::size_t k = 0; k < field.size(); ++k) {
        const double b = std::pow(std::numbers::pi * k * kStepUm * f.widthSine / 1.31, 2);
        const double g = std::pow(f.widthSine / f.nullSines[0], 2);
        expected.push_back(std::pow(std::exp(-b) * (1.0 - g * (1.0 - b)), 2));
    }
    const double fieldMax = *std::max_element(field.begin(), field.end());
    const double expectedMax = *std::max_element(expected.begin(), expected.end());
    double worst = 0.0;
    for (std::size_t k = 0; k < field.size(); ++k) {
        worst = std::max(worst, std::fabs(field[k] / fieldMax - expected[k] / expectedMax));
    }
    return worst;
}

// The outer lobe must enter with its sign: signed it gives the analytic near field, unsigned
// something clearly different.
TEST_F(NearField, SignedOuterLobeGivesTheAnalyticNearField) {
    const quarn::test::LobedField f{{0.12}, 0.1};
    const std::vector<float> grid = quarn::test::DocumentAngleGrid(3.0f);
    EXPECT_LT(DeviationFromTwoLobe(Chain(f.Intensity(grid), grid, 1310.0f, 60), f), 0.01);

    const std::vector<float> angles = quarn::test::OneSidedAngles(3.0f);
    const std::vector<int16_t> allPlus(angles.size(), 1);
    EXPECT_GT(DeviationFromTwoLobe(Transform(f.Intensity(angles), angles, allPlus, 1310.0f), f),
              0.05);
}

// The transform summed term by term with the maths library's J0, as the near field is defined:
// the library's own J0 (a table and an asymptotic expansion advanced by rotation) must give the
// same intensities to far inside single precision, and stop at the same radius: for far fields
// whose Bessel arguments stay below 16, go far beyond it, and run for thousands of radii.
std::vector<double> DirectTransform(const std::vector<float>& p, const std::vector<float>& a,
                                    const std::vector<int16_t>& sign, double stepUm, double wavelengthNm) {
    const std::size_t n = p.size();
    std::vector<double> amplitude(n), frequency(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double w = i == 0 ? (double{a[1]} - a[0]) / 2.0
                         : i == n - 1 ? (double{a[n - 1]} - a[n - 2]) / 2.0 : double{a[i + 1]} - a[i - 1];
        const float twice = 2.0f * a[i];
        amplitude[i] = w * std::sqrt(std::fmax(p[i], 0.0f)) * sign[i] * static_cast<float>(std::sin(double{twice}));
        frequency[i] = 2.0 * std::numbers::pi * static_cast<float>(std::sin(double{a[i]})) / wavelengthNm;
    }
    std::vector<double> field;
    double maximum = 0.0;
    for (std::size_t k = 0; k < 65535; ++k) {
        double e = 0.0;
        for (std::size_t i = 0; i < n; ++i) e += amplitude[i] * j0(k * stepUm * 1000.0 * frequency[i]);
        field.push_back(e * e);
        maximum = std::max(maximum, e * e);
        if (e * e < 1e-4 * maximum) break;
    }
    return field;
}

TEST_F(NearField, EqualsTheTransformSummedWithTheMathsLibrarysBessel) {
    struct Case {
        const char* what;
        double widthRad;  // of a Gaussian far field exp(-2 a² / width²), one-sided,
        float pedestal;   // on this many counts (a wide flat floor reaches large arguments)
        double toRad;     // over these angles
        int samples;
        float stepUm;
        float wavelengthNm;
    };
    const Case cases[] = {
        {"a fiber: arguments up to 16", 0.15, 0.0f, 0.6, 600, 0.1f, 1310.0f},
        {"a floor out to 80 degrees: arguments up to 90", 0.1, 2.0f, 1.4, 1500, 0.1f, 650.0f},
        {"a fine step: thousands of radii, arguments past 16", 0.1, 2.0f, 1.4, 150, 0.0005f, 1550.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<float> angles(c.samples), profile(c.samples);
        for (int i = 0; i < c.samples; ++i) {
            angles[i] = static_cast<float>(c.toRad * i / (c.samples - 1));
            profile[i] = static_cast<float>(
                c.pedestal + 5e4 * std::exp(-2.0 * angles[i] * angles[i] / (c.widthRad * c.widthRad)));
        }
        const std::vector<int16_t> signs(c.samples, 1);
        float* field = nullptr;
        uint16_t radii = 0;
        ASSERT_TRUE(Quarn_NearField(static_cast<uint16_t>(c.samples), profile.data(), angles.data(), signs.data(),
                                    c.stepUm, c.wavelengthNm, &field, &radii));
        const std::vector<double> direct = DirectTransform(profile, angles, signs, c.stepUm, c.wavelengthNm);
        ASSERT_EQ(radii, direct.size());
        for (std::size_t k = 0; k < direct.size(); ++k) {
            ASSERT_NEAR(field[k], direct[k], 1e-6 * direct[0]) << "radius " << k;
        }
    }
}

// On the axis J0 = 1, so N(0) is the squared weighted sum itself: inner samples weigh the
// full span to both neighbours, the outer end half its interval.
TEST_F(NearField, AxisValueUsesFullSpanWeightsInside) {
    const std::vector<float> field =
        Transform({4.0f, 1.0f, 0.25f}, {0.0f, 0.1f, 0.3f}, {1, 1, -1}, 1310.0f);
    const double e0 = 0.3 * 1.0 * std::sin(0.2) - 0.1 * 0.5 * std::sin(0.6);
    EXPECT_NEAR(field.at(0), e0 * e0, 1e-6 * e0 * e0);
}

// Dark-level noise leaves slightly negative samples; they carry no field.
TEST_F(NearField, NegativeSamplesCarryNoField) {
    const std::vector<float> angles = quarn::test::OneSidedAngles(3.0f);
    std::vector<float> profile = quarn::test::GaussianFarField(angles, 4.6, 1310.0);
    const std::vector<int16_t> signs(profile.size(), 1);
    const std::vector<float> clean = Transform(profile, angles, signs, 1310.0f);
    for (std::size_t i = 800; i < profile.size(); i += 7) profile[i] = -3.0f;
    const std::vector<float> noisy = Transform(profile, angles, signs, 1310.0f);
    ASSERT_EQ(noisy.size(), clean.size());
    for (std::size_t k = 0; k < clean.size(); ++k)
        EXPECT_NEAR(noisy[k], clean[k], 1e-6f * clean[0]);
}

TEST_F(NearField, FailuresLeaveOutputsAloneOrFreeTheArrayWhenTheFieldNeverFalls) {
    const std::vector<float> lit = {1.0f, 0.5f, 0.0f};
    const std::vector<float> dark = {0.0f, 0.0f, 0.0f};
    const std::vector<float> a = {0.0f, 0.1f, 0.2f};
    const std::vector<int16_t> s = {1, 1, 1};
    float sentinel = 0.0f;
    float* field = &sentinel;
    uint16_t radii = 42;
    EXPECT_FALSE(
        Quarn_NearField(1, lit.data(), a.data(), s.data(), kStepUm, 1310.0f, &field, &radii));
    EXPECT_FALSE(
        Quarn_NearField(3, lit.data(), a.data(), s.data(), kStepUm, 1e-39f, &field, &radii));
    EXPECT_EQ(field, &sentinel);
    EXPECT_EQ(radii, 42);

    // A dark far field never falls 40 dB below its maximum: after 65535 radii the call fails
    // and frees the library array it was handed.
    field = nullptr;
    ASSERT_TRUE(
        Quarn_NearField(3, lit.data(), a.data(), s.data(), kStepUm, 1310.0f, &field, &radii));
    EXPECT_FALSE(
        Quarn_NearField(3, dark.data(), a.data(), s.data(), kStepUm, 1310.0f, &field, &radii));
    EXPECT_EQ(field, nullptr);
    EXPECT_EQ(radii, 0);
}

// Library arrays stay valid until the release: folded arrays outlive the near field that
// takes their slot, a live near-field array passed back in is replaced, and a pointer kept
// across a release is not freed a second time.
TEST_F(NearField, ResultArraysLiveUntilTheRelease) {
    const std::vector<float> grid = quarn::test::DocumentAngleGrid(3.0f);
    const std::vector<float> profile = quarn::test::GaussianFarField(grid, 4.6, 1310.0);
    float* folded = nullptr;
    float* angles = nullptr;
    uint16_t n = 0;
    ASSERT_TRUE(Quarn_FoldData(quarn::test::kSamples, profile.data(), grid.data(),
                               profile[quarn::test::kCentreSample], &folded, &angles, &n));
    const std::vector<float> before(folded, folded + n);
    const std::vector<int16_t> signs(n, 1);
    float* field = nullptr;
    uint16_t radii = 0;
    auto run = [&] {
        EXPECT_TRUE(Quarn_NearField(n, before.data(), grid.data() + quarn::test::kCentreSample,
                                    signs.data(), kStepUm, 1310.0f, &field, &radii));
        return std::vector<float>(field, field + radii);
    };
    const std::vector<float> first = run();
    EXPECT_EQ(std::vector<float>(folded, folded + n), before);
    EXPECT_EQ(run(), first);
    Quarn_ReleaseMemory();
    EXPECT_EQ(run(), first);
}

}  // namespace
