// Beam parameters against analytic results for a Gaussian far field sampled on the
// document's angle grid, and the edge rules of each parameter.

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

#include "document/parameters/ProfileMath.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = 180.0 / kPi;

// Far-field intensity of a Gaussian mode of waist w0: P ∝ exp(−2 (π w0 sin θ / λ)²), centred
// on the direction `centre` (radians).
std::vector<float> GaussianFarField(const CVelor32Doc& doc, double w0Um, double lambdaNm,
                                    double centre = 0.0, double peak = 60000.0) {
    const float* grid = const_cast<CVelor32Doc&>(doc).GetAngleGrid();
    std::vector<float> p(3241);
    for (int i = 0; i < 3241; ++i) {
        const double u = kPi * w0Um * std::sin(grid[i] - centre) / (lambdaNm / 1000.0);
        p[i] = static_cast<float>(peak * std::exp(-2.0 * u * u));
    }
    return p;
}

class ProfileParameters : public ::testing::Test {
protected:
    void SetUp() override {
        doc = station.NewDocument();
        doc->SetApertureSourceDistance(2.0f);
    }
    // Degrees between grid samples around an angle.
    double GridStepAt(double degrees) {
        const int i = doc->FindGridIndex(static_cast<float>(degrees), kUnitsDegreesIn);
        return (doc->GetAngleGrid()[i + 1] - doc->GetAngleGrid()[i]) * kDeg;
    }
    TestStation station;
    CVelor32Doc* doc = nullptr;
};

TEST_F(ProfileParameters, ModeFieldDiameterOfAGaussianIsTwiceItsWaist) {
    struct Case {
        double w0, lambda;
    };
    for (const Case c : {Case{4.6, 1310.0}, Case{5.2, 1550.0}}) {
        SCOPED_TRACE(c.lambda);
        doc->SetWavelength(static_cast<float>(c.lambda));
        const std::vector<float> p = GaussianFarField(*doc, c.w0, c.lambda);
        doc->StoreProfiles(p, p);
        EXPECT_NEAR(doc->GetModeFieldDiameter(0), 2.0 * c.w0, 2.0 * c.w0 * 0.002);
        EXPECT_EQ(doc->GetMFD(), doc->GetModeFieldDiameter(0));
    }
}

TEST_F(ProfileParameters, WidthAndApertureMatchTheGaussiansClipAngles) {
    const double w0 = 4.6, lambda = 1310.0;
    const std::vector<float> p = GaussianFarField(*doc, w0, lambda);
    doc->StoreProfiles(p, p);

    // 13.5 % (1/e²): sin θ = λ / (π w0). 50 %: sin θ = √(ln 2 / 2) · λ / (π w0).
    const double s135 = lambda / 1000.0 / (kPi * w0);
    const double s50 = std::sqrt(std::log(2.0) / 2.0) * s135;
    for (const auto& [clip, sine] : {std::pair<uint16_t, double>{135, s135}, {500, s50}}) {
        SCOPED_TRACE(clip);
        const double full = 2.0 * std::asin(sine) * kDeg;
        EXPECT_NEAR(doc->GetAngularWidth(0, clip), full, GridStepAt(full / 2));
        EXPECT_NEAR(doc->GetNumericalAperture(0, clip), sine, std::sin(GridStepAt(full / 2) / kDeg));
        EXPECT_FLOAT_EQ(doc->GetNumericalAperture(0, clip),
                        static_cast<float>(std::sin(doc->GetAngularWidth(0, clip) * kPi / 360.0)));
    }
    EXPECT_EQ(doc->GetPeakWidth(13.5f), doc->GetAngularWidth(0, 135));
    EXPECT_EQ(doc->GetNA(50.0f), doc->GetNumericalAperture(0, 500));
}

TEST_F(ProfileParameters, SymmetricProfileHasSymmetricCrossingsAndTruncatedWidth) {
    const std::vector<float> p = GaussianFarField(*doc, 4.6, 1310.0);
    float left = 0, right = 0;
    ASSERT_TRUE(FindClipCrossings(p.data(), 3241, p[1620], 1620, 135, &left, &right));
    EXPECT_NEAR(1620.0f - left, right - 1620.0f, 1e-3f);
    doc->StoreProfiles(p, {});
    EXPECT_EQ(doc->GetAngularWidth(0, 135),
              doc->GetGridAngle(static_cast<int>(right), 0) - doc->GetGridAngle(static_cast<int>(left), 0));
}

TEST_F(ProfileParameters, CentroidAndPeakFollowATiltedBeam) {
    const double tilt = 3.0 / kDeg;
    const std::vector<float> p = GaussianFarField(*doc, 4.6, 1310.0, tilt);
    doc->StoreProfiles(p, {});
    EXPECT_NEAR(doc->GetCentroidAngle(0), 3.0, 0.01);
    EXPECT_NEAR(doc->GetPeakAngle(0), 3.0, GridStepAt(3.0));
    EXPECT_EQ(doc->GetCenter(), doc->GetCentroidAngle(0));
    EXPECT_EQ(doc->GetPeakPosition(), doc->GetPeakAngle(0));
    // The mode-field diameter is taken about the centroid, so a tilt does not change it.
    EXPECT_NEAR(doc->GetModeFieldDiameter(0), 9.2, 9.2 * 0.002);
}

TEST_F(ProfileParameters, CentroidIgnoresSamplesBelowTheNoiseLevel) {
    std::vector<float> p = GaussianFarField(*doc, 4.6, 1310.0);
    p[200] = 5000.0f;  // a stray spike far out
    doc->StoreProfiles(p, {});
    doc->m_fNoise[0] = 0.0f;
    const float withSpike = doc->GetCentroidAngle(0);
    doc->m_fNoise[0] = 6000.0f;
    EXPECT_LT(withSpike, -0.01f);
    EXPECT_NEAR(doc->GetCentroidAngle(0), 0.0f, 1e-4f);
}

TEST_F(ProfileParameters, PeakAngleTakesTheFirstOfEqualMaxima) {
    std::vector<float> p(3241, 0.0f);
    p[1500] = 10.0f;
    p[1700] = 10.0f;
    doc->StoreProfiles(p, {});
    EXPECT_EQ(doc->GetPeakAngle(0), doc->GetGridAngle(1500, 0));
}

TEST_F(ProfileParameters, ProfileWithoutAPositiveSampleHasPeakAngleZero) {
    // Far from the grid's first angle (about −76° at this distance), which a search that
    // starts at sample 0 would report.
    for (const float level : {0.0f, -3.0f}) {
        SCOPED_TRACE(level);
        doc->StoreProfiles(std::vector<float>(3241, level), {});
        EXPECT_EQ(doc->GetPeakAngle(0), 0.0f);
        EXPECT_EQ(doc->GetPeakPosition(), 0.0f) << "as the automation interface reads it";
    }
}

TEST_F(ProfileParameters, EdgePeaksAndProfilesThatNeverFallGiveZeroWidths) {
    std::vector<float> edge(3241, 1.0f);
    edge[3235] = 100.0f;  // maximum within the last ten samples
    doc->StoreProfiles(edge, {});
    EXPECT_EQ(doc->GetPeakValue(0), 0.0f);
    for (const uint16_t clip : {50, 135, 500}) EXPECT_EQ(doc->GetAngularWidth(0, clip), 0.0f);

    // Above the clip level up to the last point on the right.
    std::vector<float> open(3241, 0.0f);
    for (int i = 1000; i < 3241; ++i) open[i] = 50.0f;
    open[1620] = 100.0f;
    doc->StoreProfiles(open, {});
    EXPECT_EQ(doc->GetAngularWidth(0, 135), 0.0f);
    EXPECT_EQ(doc->GetNumericalAperture(0, 135), 0.0f);
}

TEST_F(ProfileParameters, InconsistentCrossingsFail) {
    // A second lobe beyond a dip: the outer crossing lies past the lobe, the inner one before
    // it — still consistent. A contradiction needs the inner crossing outside the outer one,
    // which the interpolation clamp rules out; the side checks are what fail in practice.
    std::vector<float> p(3241, 0.0f);
    for (int i = 1600; i <= 1640; ++i) p[i] = 100.0f;
    float left = 0, right = 0;
    EXPECT_TRUE(FindClipCrossings(p.data(), 3241, 100.0f, 1620, 500, &left, &right));
    EXPECT_FALSE(FindClipCrossings(p.data(), 3241, 0.0f, 1620, 500, &left, &right));
    EXPECT_FALSE(FindClipCrossings(p.data(), 3241, 100.0f, 0, 500, &left, &right));
    EXPECT_FALSE(FindClipCrossings(p.data(), 0, 100.0f, 1620, 500, &left, &right));
    EXPECT_EQ(left, 0.0f);
    EXPECT_EQ(right, 0.0f);
}

TEST(ProfileMath, CrossingInterpolatesAndStaysBetweenItsSamples) {
    const float y[] = {10.0f, 0.0f, 0.0f};
    EXPECT_FLOAT_EQ(InterpolateCrossing(y, 0, 2.5f), 0.75f);
    EXPECT_FLOAT_EQ(InterpolateCrossing(y, 1, 0.0f), 1.5f) << "flat: the midpoint";
    EXPECT_FLOAT_EQ(InterpolateCrossing(y, 0, 20.0f), 0.0f) << "clamped to the interval";
}

TEST(ProfileMath, CentroidIsTheTrapezoidWeightedMean) {
    const float angles[] = {0.0f, 1.0f, 3.0f};
    const float y[] = {2.0f, 1.0f, 1.0f};
    double c = 0;
    ASSERT_TRUE(ComputeCentroid(y, angles, 3, 0.0f, &c));
    // Weights: 2·1/2 = 1, 1·3/2 = 1.5, 1·2/2 = 1 → (0 + 1.5 + 3) / 3.5.
    EXPECT_DOUBLE_EQ(c, 4.5 / 3.5);
    EXPECT_FALSE(ComputeCentroid(y, angles, 3, 5.0f, &c));
    EXPECT_EQ(c, 0.0);
}

TEST_F(ProfileParameters, WidthRatioNeedsPerpendicularAxes) {
    const std::vector<float> wide = GaussianFarField(*doc, 3.0, 1310.0);
    const std::vector<float> narrow = GaussianFarField(*doc, 6.0, 1310.0);
    doc->StoreProfiles(wide, narrow);
    EXPECT_EQ(doc->GetWidthRatio(135), 0.0f) << "single axis";
    doc->OnPerpendicularAxes();
    const double expected = std::asin(1.31 / (kPi * 3.0)) / std::asin(1.31 / (kPi * 6.0));
    EXPECT_NEAR(doc->GetWidthRatio(135), expected, 0.01);
    doc->StoreProfiles(wide, std::vector<float>(3241, 0.0f));
    EXPECT_EQ(doc->GetWidthRatio(135), 0.0f) << "no width on axis 1";
}

TEST_F(ProfileParameters, AmplitudeAtAnAngleInEveryUnit) {
    std::vector<float> p(3241, 0.0f);
    p[1620] = 6553.5f;
    p[1621] = 13107.0f;
    doc->StoreProfiles(p, {});
    const float at = doc->GetGridAngle(1620, 0);
    EXPECT_FLOAT_EQ(doc->GetAmplitudeAt(0, at), 0.1f) << "relative: fraction of full scale";
    const float between = (doc->GetGridAngle(1620, 0) + doc->GetGridAngle(1621, 0)) / 2;
    EXPECT_NEAR(doc->GetAmplitudeAt(0, between), 0.15f, 1e-4f);
    doc->SetUnits(1);
    EXPECT_FLOAT_EQ(doc->GetAmplitudeAt(0, at), 6553.5f);
    doc->SetUnits(2);
    EXPECT_EQ(doc->GetAmplitudeAt(0, at), 0.0f) << "no reference taken: K is 0";
    doc->GetConePower()[1620] = 1000.0f;
    doc->ApplyReferencePower(1.0f, "mW");
    EXPECT_FLOAT_EQ(doc->GetAmplitudeAt(0, at), 6553.5f * doc->GetIntensityFactor());
    EXPECT_GT(doc->GetIntensityFactor(), 0.0f);

    EXPECT_EQ(doc->GetAmplitudeAt(0, doc->GetGridAngle(3240, 0) + 0.01f), 0.0f);
    EXPECT_EQ(doc->GetAmplitudeAt(0, doc->GetGridAngle(0, 0) - 0.01f), 0.0f);
}

class CrossSectionDocument : public CVelor32Doc {
public:
    using CVelor32Doc::CVelor32Doc;
    void Enter() { m_bCrossSection = 1; }
};

TEST(ProfileParametersCrossSection, AnglesComeFromTheAxissOwnProfileAngles) {
    TestStation station;
    CrossSectionDocument doc(station.environment);
    std::vector<float> p(3241, 0.0f);
    for (int i = 0; i < 3241; ++i) {
        doc.GetProfileAngles(0)[i] = static_cast<float>((i - 1620) * 0.001);  // 1 mrad steps
        p[i] = static_cast<float>(std::exp(-std::pow((i - 1700) / 50.0, 2)) * 1000.0);
    }
    doc.StoreProfiles(p, {});
    const float gridPeak = doc.GetPeakAngle(0);
    doc.Enter();
    EXPECT_NEAR(doc.GetPeakAngle(0), 0.080 * kDeg, 1e-4);
    EXPECT_NE(doc.GetPeakAngle(0), gridPeak);
    EXPECT_NEAR(doc.GetCentroidAngle(0), 0.080 * kDeg, 1e-3);
    EXPECT_FLOAT_EQ(doc.GetAmplitudeAt(0, static_cast<float>(0.080 * kDeg)), 1000.0f / 65535.0f);
}

TEST_F(ProfileParameters, BlindSpotCorrectionOnlyBeyond97Degrees) {
    // A convex profile: any chord lies strictly above it, so every bridged sample changes.
    std::vector<float> curve(3241);
    for (int i = 0; i < 3241; ++i) curve[i] = 1000.0f + (i - 1620.0f) * (i - 1620.0f) / 100.0f;
    std::vector<float> notched = curve;
    for (int i = 0; i < 3241; i += 7) notched[i] = 0.0f;  // dents everywhere

    std::vector<float> p = notched;
    doc->CorrectBlindSpots(97.0f, p.data());
    EXPECT_EQ(p, notched);

    // Turned half-way round, both supports cross the field of view: each shadowed stretch, with
    // its two 30-sample margins, is replaced by a straight line with no dent left inside it.
    std::copy(notched.begin(), notched.end(), p.begin());
    doc->CorrectBlindSpots(180.0f, p.data());
    int runs = 0;
    for (int i = 1; i < 3240; ++i) {
        if (p[i] == notched[i]) continue;
        int last = i;
        while (last + 1 < 3241 && p[last + 1] != notched[last + 1]) ++last;
        ++runs;
        SCOPED_TRACE(i);
        EXPECT_GE(last - i + 1, 59);
        const float slope = p[i] - p[i - 1];
        for (int j = i; j <= last; ++j) {
            EXPECT_NEAR(p[j] - p[j - 1], slope, 0.05f) << j;  // the curve itself bends by 0.02 a step
            EXPECT_NE(p[j], 0.0f) << j;
        }
        i = last;
    }
    EXPECT_EQ(runs, 2);
}

}  // namespace
}  // namespace velor::test
