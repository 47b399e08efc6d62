// The 3D views' data steps as numbers, without any 3D toolkit: the seam, the logarithmic rule
// and the normalisation, the coordinates of both kinds, the colour mapping entries, the
// document's thinning at each resolution, and the camera's orientation arithmetic.

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

#include "document/simulation/SimulatedMeasurement.h"
#include "tests/support/TestStation.h"
#include "views/view3d/CameraPose.h"
#include "views/scene/ClipMapping.h"
#include "views/view3d/SurfaceGeometry.h"
#include "views/view3d/SurfaceModel.h"

namespace velor::test {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(SurfaceSteps, SeamTakesTheMeanOfTheTwoScansOfEachDirection) {
    // 3 rows (theta −a, 0, +a) by 3 columns (phi 0, 90°, 180°).
    std::vector<float> v = {1, 2, 3,   //
                            4, 5, 6,   //
                            7, 8, 9};
    CloseSeam(v, 3, 3);
    // Row 0 col 0 pairs with row 2 col 2; row 1 with itself; row 2 col 0 with row 0 col 2.
    EXPECT_EQ(v, (std::vector<float>{5, 2, 5,  //
                                     5, 5, 5,  //
                                     5, 8, 5}));
    std::vector<float> w = {0,  1,  2,    //
                            4,  5,  8,    //
                            16, 17, 32,   //
                            64, 65, 128};
    CloseSeam(w, 4, 3);
    EXPECT_EQ(w, (std::vector<float>{64, 1,  33,  //
                                     18, 5,  12,  //
                                     12, 17, 18,  //
                                     33, 65, 64}));
}

TEST(SurfaceSteps, DecibelRuleZeroesValuesUpToOneAndNormalisationSkipsAZeroMaximum) {
    std::vector<float> v = {-5.0f, 0.0f, 0.5f, 1.0f, 1.0001f, 10.0f, 1000.0f};
    ApplyDecibelRule(v);
    const float expected[] = {0, 0, 0, 0, 10.0f * std::log10(1.0001f), 10, 30};
    for (size_t i = 0; i < v.size(); ++i) EXPECT_FLOAT_EQ(v[i], expected[i]) << i;
    EXPECT_FLOAT_EQ(NormaliseToPercent(v), 30.0f);
    EXPECT_FLOAT_EQ(v[5], 100.0f / 3.0f);
    EXPECT_FLOAT_EQ(v[6], 100.0f);

    // Every value at or below 1: the surface is flat at 0 and nothing is scaled.
    CVelor32Doc::Sampled3dData data{{-10, 0, 10}, {0, kPi / 2, kPi}, {0.2f, 1, 0.9f, 0, 1, 0.5f, 1, 0.1f, 0.3f}};
    C3dData settings;
    settings.SetInitialKind(k3dRectangular);
    settings.m_bLogarithmic = 1;
    const SurfaceModel model = BuildSurfaceModel(data, settings);
    ASSERT_EQ(model.values.size(), 9u);
    for (float value : model.values) EXPECT_EQ(value, 0.0f);
    for (size_t node = 0; node < 9; ++node) EXPECT_EQ(model.points[node * 3 + 2], 0.0f) << "height of " << node;
    for (const ColourEntry& e : model.entries) {
        if (e.value != 65535.0) {
            EXPECT_EQ(e.value, 0.0) << "level " << e.isovalue << " dB";
        }
    }
}

TEST(SurfaceSteps, CoordinatesOfKnownValuesInBothKinds) {
    // Peak 200 at (theta 30°, phi 90°): scaled to 100. (−30°, 0) and (30°, 180°) hold 50 each,
    // so the seam keeps them; scaled to 25.
    CVelor32Doc::Sampled3dData data{{-30, 0, 30}, {0, kPi / 2, kPi}, {50, 0, 0, 0, 0, 0, 0, 200, 50}};
    const struct {
        uint32_t kind;
        int node;
        float x, y, z;
    } cases[] = {
        // polar: x = −v sin θ cos φ, y = v sin θ sin φ, z = v cos θ
        {k3dPolar, 7, 0.0f, 50.0f, 86.602540f},
        {k3dPolar, 0, 12.5f, 0.0f, 21.650635f},
        {k3dPolar, 8, 12.5f, 0.0f, 21.650635f},  // the same direction as node 0
        // rectangular: x = −90 θ cos φ, y = 90 θ sin φ (θ in radians), z = v
        {k3dRectangular, 7, 0.0f, 47.123890f, 100.0f},
        {k3dRectangular, 0, 47.123890f, 0.0f, 25.0f},
        {k3dRectangular, 4, 0.0f, 0.0f, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", node " << c.node);
        C3dData settings;
        settings.SetInitialKind(c.kind);
        const SurfaceModel model = BuildSurfaceModel(data, settings);
        ASSERT_EQ(model.rows, 3);
        ASSERT_EQ(model.columns, 3);
        EXPECT_NEAR(model.points[c.node * 3 + 0], c.x, 1e-4);
        EXPECT_NEAR(model.points[c.node * 3 + 1], c.y, 1e-4);
        EXPECT_NEAR(model.points[c.node * 3 + 2], c.z, 1e-4);
    }
}

// One colour as its components, written out by hand from 0x00BBGGRR.
struct Rgb {
    double r, g, b;
};

void ExpectEntries(const std::vector<ColourEntry>& entries,
                   const std::vector<std::tuple<double, double, Rgb>>& expected) {
    ASSERT_EQ(entries.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        const auto& [value, iso, rgb] = expected[i];
        EXPECT_NEAR(entries[i].value, value, 1e-9);
        EXPECT_NEAR(entries[i].isovalue, iso, 1e-9);
        EXPECT_NEAR(entries[i].red, rgb.r, 1e-9);
        EXPECT_NEAR(entries[i].green, rgb.g, 1e-9);
        EXPECT_NEAR(entries[i].blue, rgb.b, 1e-9);
    }
}

constexpr Rgb kWhite{1, 1, 1};
constexpr Rgb kRed{1, 0, 0};
constexpr Rgb kYellow{1, 1, 0};
constexpr Rgb kLightGreen{128 / 255.0, 1, 0};
constexpr Rgb kGreen{0, 164 / 255.0, 0};
constexpr Rgb kBlue{0, 0, 1};
constexpr Rgb kViolet{157 / 255.0, 60 / 255.0, 1};
constexpr Rgb kMagenta{198 / 255.0, 0, 198 / 255.0};
constexpr Rgb kPurple{94 / 255.0, 0, 94 / 255.0};

TEST(SurfaceSteps, ColourEntriesOfTheDefaultTable) {
    const C3dData defaults;
    const std::vector<ColourEntry> entries = LinearColourEntries(
        std::span(defaults.m_nClipLevel, defaults.m_nClipCount), std::span(defaults.m_crClipColor, 9), 100.0);
    ExpectEntries(entries, {{65535, 100, kWhite},
                            {100, 100, kWhite},
                            {90, 90, kRed},
                            {75, 75, kYellow},
                            {60.7, 60.7, kLightGreen},
                            {50, 50, kGreen},
                            {36.8, 36.8, kBlue},
                            {25, 25, kViolet},
                            {13.5, 13.5, kMagenta},
                            {5, 5, kPurple},
                            {0, 0, kPurple}});

    // A table out of order still maps highest first; an empty surface puts every level at 0.
    const uint16_t levels[] = {500, 1000, 250};
    const uint32_t colours[] = {0x000000FF, 0x00FFFFFF, 0x00FF0000};
    ExpectEntries(LinearColourEntries(levels, colours, 0.0),
                  {{65535, 100, kWhite}, {0, 100, kWhite}, {0, 50, kRed}, {0, 25, kBlue}, {0, 0, kBlue}});
}

TEST(SurfaceSteps, ColourEntriesOfTheDecibelLevels) {
    // A maximum of 40 dB: the −40 dB level meets 0.
    ExpectEntries(DecibelColourEntries(40.0, 100.0), {{65535, 0, kWhite},
                                                      {100, 0, kWhite},
                                                      {92.5, -3, kRed},
                                                      {75, -10, kYellow},
                                                      {67.5, -13, kLightGreen},
                                                      {50, -20, kGreen},
                                                      {42.5, -23, kBlue},
                                                      {25, -30, kViolet},
                                                      {17.5, -33, kMagenta},
                                                      {0, -40, kPurple},
                                                      {0, -40, kPurple}});
    // Only 20 dB above the floor: the deep levels fall below 0 and the darkest colour fills
    // from its own level, keeping the entries in order.
    const std::vector<ColourEntry> shallow = DecibelColourEntries(20.0, 100.0);
    EXPECT_NEAR(shallow[9].value, -100.0, 1e-9);
    EXPECT_NEAR(shallow[10].value, -100.0, 1e-9);
    for (size_t i = 1; i < shallow.size(); ++i) EXPECT_LE(shallow[i].value, shallow[i - 1].value) << i;
}

class SimulatedDiode : public ::testing::Test {
protected:
    void SetUp() override {
        doc = station.NewDocument();
        SimulationOptions options;
        options.scans3D = 20;
        sim::LaserDiodeBeam beam;
        beam.tiltThetaDeg = 5.0;
        beam.tiltPhiDeg = 40.0;
        ASSERT_TRUE(SimulateMeasurement(*doc, *sim::MakeLaserDiode(beam), options));
    }
    TestStation station;
    CVelor32Doc* doc = nullptr;
};

TEST_F(SimulatedDiode, ResolutionSetsTheRowsAndKeepsTheColumns) {
    const struct {
        uint32_t resolution;
        int rows;
    } cases[] = {{k3dLow, 121}, {k3dMedium, 271}, {k3dHigh, 541}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.resolution);
        C3dData settings;
        settings.m_nResolution = c.resolution;
        const SurfaceModel model = SurfaceModelFor(*doc, settings);
        EXPECT_EQ(model.rows, c.rows);
        EXPECT_EQ(model.columns, 21);
        EXPECT_EQ(model.points.size(), static_cast<size_t>(c.rows) * 21 * 3);
        EXPECT_FLOAT_EQ(*std::max_element(model.values.begin(), model.values.end()), 100.0f);
    }
    doc->m_b3DValid = 0;
    EXPECT_TRUE(SurfaceModelFor(*doc, C3dData()).IsEmpty()) << "no 3D data set, nothing to show";
}

TEST_F(SimulatedDiode, SeamNodesMeetAndThePolarSurfaceIsWhite) {
    C3dData settings;  // polar, with the coloured default table
    const SurfaceModel model = SurfaceModelFor(*doc, settings);
    ASSERT_FALSE(model.IsEmpty());
    const int last = model.columns - 1;
    for (int i = 0; i < model.rows; ++i) {
        const size_t a = static_cast<size_t>(i) * model.columns;
        const size_t b = static_cast<size_t>(model.rows - 1 - i) * model.columns + last;
        ASSERT_EQ(model.values[a], model.values[b]) << "row " << i;
        for (int axis = 0; axis < 3; ++axis) EXPECT_NEAR(model.points[a * 3 + axis], model.points[b * 3 + axis], 1e-3);
    }
    for (const ColourEntry& e : model.entries) EXPECT_TRUE(e.red == 1.0 && e.green == 1.0 && e.blue == 1.0);
}

TEST(CameraPose, OrientationsTurnTheDefaultCameraAndComeBack) {
    const double s = std::sqrt(0.5);
    const struct {
        const char* what;
        Vector3 axis;
        double angle;
        Vector3 direction, up;
    } cases[] = {
        {"none", {0, 0, 1}, 0.0, {0, 0, -1}, {0, 1, 0}},
        {"quarter turn about y", {0, 1, 0}, kPi / 2, {-1, 0, 0}, {0, 1, 0}},
        {"quarter turn about x", {1, 0, 0}, kPi / 2, {0, 1, 0}, {0, 0, 1}},
        {"half turn about x", {1, 0, 0}, kPi, {0, 0, 1}, {0, -1, 0}},
        {"eighth turn about z", {0, 0, 1}, kPi / 4, {0, 0, -1}, {-s, s, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CameraFrame frame = FrameOf(c.axis, c.angle);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(frame.direction[i], c.direction[i], 1e-12);
            EXPECT_NEAR(frame.up[i], c.up[i], 1e-12);
        }
        const Orientation back = OrientationOf(c.direction, c.up);
        EXPECT_NEAR(back.angle, c.angle, 1e-9);
        // A half turn about an axis is the same as about its opposite: compare the cameras.
        const CameraFrame again = FrameOf(back.axis, back.angle);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(again.direction[i], c.direction[i], 1e-9);
            EXPECT_NEAR(again.up[i], c.up[i], 1e-9);
        }
        if (c.angle > 0 && c.angle < kPi) {
            for (int i = 0; i < 3; ++i) EXPECT_NEAR(back.axis[i], c.axis[i], 1e-9);
        }
    }
}

}  // namespace
}  // namespace velor::test
