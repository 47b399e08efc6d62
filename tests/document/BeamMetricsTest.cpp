// Second-moment widths, the Gaussian fit and the 3D shape against analytic beams on the
// document's own angle grid: Gaussians of several widths, a top hat, two lobes, a beam with
// wide wings, an elliptical Gaussian far field turned and moved off the axis, and the inputs no
// figure can be taken from. The simulated laser diode is measured through vnqtool and
// automation.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <numbers>
#include <vector>

#include "document/analysis/BeamShape3D.h"
#include "document/analysis/SecondMomentWidth.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRad = kPi / 180.0;

class BeamMetrics : public ::testing::Test {
protected:
    void SetUp() override {
        doc = station.NewDocument();
        doc->SetApertureSourceDistance(2.0f);  // a field of view of ±61°
    }
    std::span<const float> Grid() const { return {doc->GetAngleGrid(), 3241}; }
    // A profile of f(θ in degrees) on the grid, stored as both axes.
    ProfileMetrics Measure(const std::function<double(double)>& f) {
        std::vector<float> p(3241);
        for (int i = 0; i < 3241; ++i) p[i] = static_cast<float>(f(Grid()[i] / kRad));
        doc->StoreProfiles(p, p);
        return doc->GetProfileMetrics(0);
    }
    TestStation station;
    CVelor32Doc* doc = nullptr;
};

double Gaussian(double theta, double centre, double fullWidth) {
    const double d = (theta - centre) / (fullWidth / 2.0);
    return 40000.0 * std::exp(-2.0 * d * d);
}

TEST_F(BeamMetrics, GaussiansGiveTheirOneOverESquaredWidthBothWays) {
    struct Case {
        double width, centre, offset;  // degrees, degrees, counts
    };
    // The last on 25 counts of stray light with ±3 counts of ripple: without the baseline
    // taken off, the offset alone over ±61° would widen the beam several times.
    for (const Case c : {Case{2.0, 0.0, 0.0}, Case{8.0, 3.0, 0.0}, Case{20.0, -5.0, 0.0}, Case{40.0, 0.0, 0.0},
                         Case{10.0, 1.0, 25.0}}) {
        SCOPED_TRACE(c.width);
        int sample = 0;
        const ProfileMetrics m = Measure([&](double t) {
            return Gaussian(t, c.centre, c.width) + (c.offset > 0.0 ? c.offset + 3.0 * std::sin(0.7 * sample++) : 0.0);
        });
        EXPECT_NEAR(m.secondMomentWidth, c.width, c.width * 0.002);
        EXPECT_NEAR(m.secondMomentNA, std::sin(c.width / 2.0 * kRad), 1e-4);
        ASSERT_TRUE(m.fitted);
        EXPECT_NEAR(m.fitWidth, c.width, c.width * 0.002);
        EXPECT_NEAR(m.fitCenter, c.centre, 0.01);
        EXPECT_GT(m.fitQuality, 0.999);
    }
}

TEST_F(BeamMetrics, BeamsFarFromGaussianFitPoorly) {
    // A sharp top hat of half-width a has σ = a / √3. Its samples above 1 % all lie at one
    // level, which any wide enough Gaussian fits as well as the next: no fit.
    const ProfileMetrics hat = Measure([](double t) { return std::fabs(t) <= 15.0 ? 30000.0 : 0.0; });
    EXPECT_NEAR(hat.secondMomentWidth, 4.0 * 15.0 / std::sqrt(3.0), 0.1);
    EXPECT_FALSE(hat.fitted);
    // With the soft edge of the simulator's multimode fiber the fit converges, and fits poorly.
    const ProfileMetrics soft = Measure([](double t) {
        return 30000.0 / (1.0 + std::exp((std::sin(std::fabs(t) * kRad) - 0.22) / 0.01));
    });
    ASSERT_TRUE(soft.fitted);
    EXPECT_LT(soft.fitQuality, 0.9);
    // Two equal lobes are no single Gaussian.
    const ProfileMetrics lobes =
        Measure([](double t) { return Gaussian(t, -12.0, 8.0) + Gaussian(t, 12.0, 8.0); });
    ASSERT_TRUE(lobes.fitted);
    EXPECT_LT(lobes.fitQuality, 0.5);
    EXPECT_NEAR(lobes.secondMomentWidth, 4.0 * std::sqrt(12.0 * 12.0 + 2.0 * 2.0), 0.1);
}

// The second moment of a Gaussian of standard deviation s and height a over [−h, h]:
// M0 = a s √(2π) erf(h / (s √2)), M2 = s² M0 − 2 a s² h exp(−h² / 2s²).
struct Truncated {
    double m0, m2;
};
Truncated Moments(double a, double s, double h) {
    const double m0 = a * s * std::sqrt(2.0 * kPi) * std::erf(h / (s * std::sqrt(2.0)));
    return {m0, s * s * m0 - 2.0 * a * s * s * h * std::exp(-h * h / (2.0 * s * s))};
}

TEST_F(BeamMetrics, TheWindowSettlesWhereItIsThreeTimesTheWidth) {
    // A 2° (σ) core on a pedestal of 2 % and four times its width: the whole field's moment
    // counts the pedestal's far wings, the window's does not. The fixed point D = 4 σ(±1.5 D).
    const auto wings = [](double t) {
        return 40000.0 * (std::exp(-t * t / (2.0 * 2.0 * 2.0)) + 0.02 * std::exp(-t * t / (2.0 * 8.0 * 8.0)));
    };
    const auto windowed = [](double d) {
        const Truncated core = Moments(1.0, 2.0, 1.5 * d);
        const Truncated pedestal = Moments(0.02, 8.0, 1.5 * d);
        return 4.0 * std::sqrt((core.m2 + pedestal.m2) / (core.m0 + pedestal.m0));
    };
    double low = 8.0, high = 16.0;
    for (int i = 0; i < 60; ++i) {
        const double mid = (low + high) / 2.0;
        (windowed(mid) > mid ? low : high) = mid;
    }
    const double whole = 4.0 * std::sqrt((8.0 + 0.02 * 512.0) / (2.0 + 0.02 * 8.0));

    std::vector<float> p(3241);
    for (int i = 0; i < 3241; ++i) p[i] = static_cast<float>(wings(Grid()[i] / kRad));
    const SecondMomentWidth w = ComputeSecondMomentWidth(p, Grid());
    ASSERT_TRUE(w.valid);
    EXPECT_GT(w.passes, 2);
    EXPECT_LT(w.passes, kMaxWindowPasses);
    EXPECT_NEAR(w.width / kRad, low, low * 0.002);
    EXPECT_GT(std::fabs(w.width / kRad - whole), 0.02 * whole) << "the window made a difference";
}

TEST_F(BeamMetrics, ProfilesWithoutABeamGiveZeroAndNoFit) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        std::function<double(double)> f;
    };
    const Case cases[] = {
        {"empty", [](double) { return 0.0; }},
        {"flat", [](double) { return 700.0; }},
        {"all negative", [](double t) { return -100.0 + 90.0 * std::exp(-t * t / 50.0); }},
        {"single sample", [](double t) { return std::fabs(t) < 0.01 ? 50000.0 : 0.0; }},
        {"a NaN", [nan](double t) { return std::fabs(t - 5.0) < 0.02 ? nan : Gaussian(t, 0.0, 10.0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ProfileMetrics m = Measure(c.f);
        EXPECT_EQ(m.secondMomentWidth, 0.0f);
        EXPECT_EQ(m.secondMomentNA, 0.0f);
        EXPECT_FALSE(m.fitted);
        EXPECT_EQ(m.fitWidth, 0.0f);
        EXPECT_EQ(m.fitQuality, 0.0f);
    }
    EXPECT_FALSE(doc->GetProfileMetrics(2).fitted) << "no third axis";
}

// Fills the 3D data from I(θ, φ): sample j of scan k looks at |θj| along φk, or φk + π.
void Fill3D(CVelor32Doc& doc, const std::function<double(double, double)>& intensity) {
    const int n = doc.m_nScans3D;
    const float* grid = doc.GetAngleGrid();
    for (int k = 0; k <= n; ++k) {
        const double phi = k * kPi / n;
        float* scan = doc.Get3DData() + static_cast<size_t>(k) * 3241;
        for (int j = 0; j < 3241; ++j) {
            scan[j] = static_cast<float>(intensity(std::fabs(grid[j]), grid[j] < 0 ? phi + kPi : phi));
        }
    }
}

TEST_F(BeamMetrics, AnEllipticalGaussianFarFieldShowsItsAxesAndOrientation) {
    // Gaussian on the far-field map (θ cos φ, θ sin φ), 1/e² full angles 2a and 2b along axes
    // turned by ψ, its centre off the axis, on a baseline of 30 counts.
    struct Case {
        double major, minor, orientation, x0, y0;  // degrees
    };
    doc->m_nScans3D = 50;
    doc->ReallocateArrays();
    for (const Case c : {Case{30.0, 10.0, 20.0, 0.0, 0.0}, Case{24.0, 12.0, 135.0, 4.0, -3.0},
                         Case{16.0, 4.0, 80.0, -2.0, 1.0}}) {
        SCOPED_TRACE(c.orientation);
        Fill3D(*doc, [c](double theta, double phi) {
            const double x = theta / kRad * std::cos(phi) - c.x0;
            const double y = theta / kRad * std::sin(phi) - c.y0;
            const double o = c.orientation * kRad;
            const double u = (x * std::cos(o) + y * std::sin(o)) / (c.major / 2.0);
            const double v = (-x * std::sin(o) + y * std::cos(o)) / (c.minor / 2.0);
            return 30.0 + 20000.0 * std::exp(-2.0 * (u * u + v * v));
        });
        ASSERT_TRUE(doc->Analyse3dData());
        const BeamShape& s = doc->GetBeamShape();
        ASSERT_TRUE(s.valid);
        EXPECT_NEAR(s.majorDivergence, c.major, c.major * 0.01);
        EXPECT_NEAR(s.minorDivergence, c.minor, c.minor * 0.01);
        EXPECT_NEAR(s.ellipticity, c.minor / c.major, c.minor / c.major * 0.01);
        EXPECT_NEAR(s.orientation, c.orientation, 0.5);
    }
}

// The 3D shape's moments from their definition: over the map points (θ cos φ, θ sin φ) inside the
// final window (three widths about the centroid along the principal axes), the values less the
// rim's baseline, weighted by the map area θ dθ and the azimuth step, summed directly. The
// running sums the computation keeps (every 32nd of them) must give the same figures.
TEST(BeamShape3DSums, EqualTheDirectSumsOverTheFinalWindow) {
    PolarGrid grid;
    const int rows = 2 * 50 + 1;
    for (int j = 0; j < 1621; ++j) grid.polar.push_back(static_cast<float>(j * 1.2 / 1620));
    for (int i = 0; i < rows; ++i) grid.azimuth.push_back(static_cast<float>(i * 2.0 * kPi / (rows - 1)));
    struct Case {
        double major, minor, orientation, x0, y0, noise;  // radians, counts
    };
    std::srand(3);
    for (const Case c : {Case{0.5, 0.2, 0.3, 0.0, 0.0, 0.0}, Case{0.3, 0.25, 2.0, 0.1, -0.05, 40.0},
                         Case{0.25, 0.1, 1.1, -0.15, 0.1, 2.0}}) {
        SCOPED_TRACE(c.orientation);
        grid.values.clear();
        for (int i = 0; i < rows; ++i) {
            for (const float theta : grid.polar) {
                const double x = theta * std::cos(grid.azimuth[i]) - c.x0;
                const double y = theta * std::sin(grid.azimuth[i]) - c.y0;
                const double u = (x * std::cos(c.orientation) + y * std::sin(c.orientation)) / (c.major / 2.0);
                const double v = (-x * std::sin(c.orientation) + y * std::cos(c.orientation)) / (c.minor / 2.0);
                const double noise = c.noise * (std::rand() / double(RAND_MAX) - 0.5);
                grid.values.push_back(static_cast<float>(30.0 + 20000.0 * std::exp(-2.0 * (u * u + v * v)) + noise));
            }
        }
        const BeamShape3D shape = ComputeBeamShape3D(grid);
        ASSERT_TRUE(shape.valid);
        ASSERT_LT(shape.passes, kMaxWindowPasses);  // settled: the final window is the result's own

        std::vector<double> area(1621);
        for (int j = 0; j < 1621; ++j) {
            area[j] = grid.polar[j] * (grid.polar[std::min(j + 1, 1620)] - grid.polar[std::max(j - 1, 0)]) / 2.0;
        }
        const auto weight = [&](int i) { return (i == 0 || i == rows - 1 ? 0.5 : 1.0) * 2.0 * kPi / (rows - 1); };
        double rimSum = 0.0, rimArea = 0.0;
        for (int i = 0; i < rows; ++i) {
            for (int j = 1621 - 81; j < 1621; ++j) {
                rimSum += weight(i) * area[j] * grid.values[i * 1621 + j];
                rimArea += weight(i) * area[j];
            }
        }
        const double baseline = rimSum / rimArea;
        const double ca = std::cos(shape.orientation), sa = std::sin(shape.orientation);
        double s0 = 0, sx = 0, sy = 0, sxx = 0, sxy = 0, syy = 0;
        for (int i = 0; i < rows; ++i) {
            for (int j = 0; j < 1621; ++j) {
                const double x = grid.polar[j] * std::cos(grid.azimuth[i]);
                const double y = grid.polar[j] * std::sin(grid.azimuth[i]);
                const double along = (x - shape.centre[0]) * ca + (y - shape.centre[1]) * sa;
                const double across = -(x - shape.centre[0]) * sa + (y - shape.centre[1]) * ca;
                if (std::fabs(along) > 1.5 * shape.major || std::fabs(across) > 1.5 * shape.minor) continue;
                const double w = weight(i) * area[j] * (grid.values[i * 1621 + j] - baseline);
                s0 += w, sx += w * x, sy += w * y, sxx += w * x * x, sxy += w * x * y, syy += w * y * y;
            }
        }
        const double mx = sx / s0, my = sy / s0;
        const double cxx = sxx / s0 - mx * mx, cxy = sxy / s0 - mx * my, cyy = syy / s0 - my * my;
        const double spread = std::hypot((cxx - cyy) / 2.0, cxy);
        EXPECT_NEAR(shape.baseline, baseline, 1e-9 * std::fabs(baseline));
        EXPECT_NEAR(shape.centre[0], mx, 1e-8);
        EXPECT_NEAR(shape.centre[1], my, 1e-8);
        EXPECT_NEAR(shape.major, 4.0 * std::sqrt((cxx + cyy) / 2.0 + spread), 1e-7 * shape.major);
        EXPECT_NEAR(shape.minor, 4.0 * std::sqrt((cxx + cyy) / 2.0 - spread), 1e-7 * shape.minor);
    }
}

}  // namespace
}  // namespace velor::test
