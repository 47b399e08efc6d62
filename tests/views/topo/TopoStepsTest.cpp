// The topographic map's data steps as numbers, without any 3D toolkit: the unfolding of the
// azimuth scans onto the disc, the scale's mapping and legend, and what the status bar reads
// at a point of the disc.

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

#include "document/simulation/SimulatedMeasurement.h"
#include "tests/support/TestStation.h"
#include "views/topo/DiscReadout.h"
#include "views/topo/DiscUnfolding.h"
#include "views/topo/TopoModel.h"

namespace velor::test {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Five theta values (−20°, −10°, 0, 10°, 20°) by three scans (phi 0, 90°, 180°); the value of
// row i, scan k is 10 i + k, so every value tells where it came from.
CVelor32Doc::Sampled3dData HandMadeScans() {
    CVelor32Doc::Sampled3dData data{{-20, -10, 0, 10, 20}, {0, kPi / 2, kPi}, {}};
    for (int i = 0; i < 5; ++i) {
        for (int k = 0; k < 3; ++k) data.values.push_back(static_cast<float>(10 * i + k));
    }
    return data;
}

TEST(DiscUnfolding, HandMadeScansUnfoldOntoTheWholeDisc) {
    const CVelor32Doc::Sampled3dData data = HandMadeScans();
    const Disc disc = UnfoldOntoDisc(data.theta, data.phi, data.values);
    EXPECT_EQ(disc.radii, (std::vector<float>{0, 10, 20}));
    ASSERT_EQ(disc.AngleCount(), 5);
    const float angles[] = {0, kPi / 2, kPi, 1.5f * kPi, 2 * kPi};
    for (int a = 0; a < 5; ++a) EXPECT_FLOAT_EQ(disc.angles[a], angles[a]) << a;
    // Angles 0, 90°, 180° take scans 0, 1, 2 outward (rows 2, 3, 4); angles 270° and 360° are
    // scans 1 and 2 seen from the other side (rows 2, 1, 0). The centre is each angle's own
    // scan at theta 0: scan 1 at both 90° and 270°.
    EXPECT_EQ(disc.values, (std::vector<float>{20, 21, 22, 21, 22,  //
                                               30, 31, 32, 11, 12,  //
                                               40, 41, 42, 1, 2}));

    // Sizes that do not fit together give nothing to draw.
    const std::vector<float> even = {-10, 0, 10, 20};
    EXPECT_TRUE(UnfoldOntoDisc(even, data.phi, std::vector<float>(12)).IsEmpty()) << "no middle theta";
    EXPECT_TRUE(UnfoldOntoDisc(data.theta, data.phi, std::vector<float>(14)).IsEmpty()) << "values short";
    EXPECT_TRUE(UnfoldOntoDisc(data.theta, {}, {}).IsEmpty()) << "no scan";
}

TEST(DiscUnfolding, SimulatedScansAtEachResolution) {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    SimulationOptions options;
    options.scans3D = 20;
    sim::LaserDiodeBeam beam;
    beam.tiltThetaDeg = 5.0;
    beam.tiltPhiDeg = 40.0;
    ASSERT_TRUE(SimulateMeasurement(*doc, *sim::MakeLaserDiode(beam), options));

    const struct {
        int resolution;
        int radii;
    } cases[] = {{0, 61}, {1, 136}, {2, 271}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.resolution);
        CVelor32Doc::Sampled3dData data;
        ASSERT_TRUE(doc->GetSampled3dData(c.resolution, data));
        const Disc disc = UnfoldOntoDisc(data.theta, data.phi, data.values);
        ASSERT_EQ(disc.RadiusCount(), c.radii);
        ASSERT_EQ(disc.AngleCount(), 41) << "2N + 1 angles";
        EXPECT_EQ(disc.radii.front(), 0.0f);
        EXPECT_EQ(disc.radii.back(), data.theta.back());
        EXPECT_FLOAT_EQ(disc.angles.back(), 2 * kPi);
        const int middle = static_cast<int>(data.theta.size()) / 2;
        const auto scan = [&](int row, int k) { return data.values[static_cast<size_t>(row) * 21 + k]; };
        for (int a = 0; a < 41; ++a) {
            const int k = a < 21 ? a : a - 20;  // the scan each angle comes from
            EXPECT_EQ(disc.At(0, a), scan(middle, k)) << "centre at angle " << a;
            const int r = c.radii - 1;
            EXPECT_EQ(disc.At(r, a), a < 21 ? scan(middle + r, k) : scan(middle - r, k)) << "rim at angle " << a;
        }
    }
}

TEST(TopoModel, EachScaleTakesItsMappingAndLegend) {
    const CVelor32Doc::Sampled3dData data = HandMadeScans();
    C2dData settings;
    const TopoModel linear = BuildTopoModel(data, settings);
    EXPECT_EQ(linear.maximum, 42.0f);
    EXPECT_FLOAT_EQ(linear.disc.At(2, 2), 100.0f);
    EXPECT_FLOAT_EQ(linear.disc.At(1, 0), 3000.0f / 42.0f);
    EXPECT_STREQ(LegendTitle(linear.logarithmic), "ClipLevels(%)");
    EXPECT_DOUBLE_EQ(linear.entries[2].value, 90.0) << "the 90 % level, below white and 100 %";

    settings.m_bLogarithmic = 1;
    const TopoModel decibels = BuildTopoModel(data, settings);
    EXPECT_FLOAT_EQ(decibels.maximum, 10.0f * std::log10(42.0f));
    EXPECT_EQ(decibels.disc.At(2, 3), 0.0f) << "a value of 1 count is the floor of the decibel rule";
    EXPECT_STREQ(LegendTitle(decibels.logarithmic), "Level (dB)");
    EXPECT_DOUBLE_EQ(decibels.entries[9].isovalue, -40.0) << "the fixed levels, not the user's table";
}

TEST(DiscReadout, ReadingsAtPointsOfTheDisc) {
    const CVelor32Doc::Sampled3dData data = HandMadeScans();
    C2dData settings;
    const TopoModel linear = BuildTopoModel(data, settings);
    settings.m_bLogarithmic = 1;
    const TopoModel decibels = BuildTopoModel(data, settings);
    const double toPercent = 100.0 / 42.0;
    const double dB42 = 10.0 * std::log10(42.0);
    const struct {
        const char* where;
        double x, y;
        double theta, phi, percent;
    } cases[] = {
        {"on a node at phi 0", 10, 0, 10, 0, 30 * toPercent},
        {"on a node at phi 90°", 0, 20, 20, 90, 41 * toPercent},
        {"on the far side, scan 1 seen from below", 0, -10, 10, 270, 11 * toPercent},
        {"half way out between two nodes", 15, 0, 15, 0, 35 * toPercent},
        {"half way round between two nodes", -10 * std::sqrt(0.5), 10 * std::sqrt(0.5), 10, 135, 31.5 * toPercent},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        const std::optional<DiscReading> reading = ReadDisc(linear, c.x, c.y);
        ASSERT_TRUE(reading.has_value());
        EXPECT_NEAR(reading->thetaDeg, c.theta, 1e-9);
        EXPECT_NEAR(reading->phiDeg, c.phi, 1e-5);
        EXPECT_NEAR(reading->level, c.percent, 1e-4);
    }
    // On a node the logarithmic level is the node's decibels below the maximum's.
    const std::optional<DiscReading> node = ReadDisc(decibels, 10, 0);
    ASSERT_TRUE(node.has_value());
    EXPECT_NEAR(node->level, 10.0 * std::log10(30.0) - dB42, 1e-4);
    EXPECT_NEAR(ReadDisc(decibels, 0, -20)->level, -dB42, 1e-4) << "1 count and below: the rule's floor";

    EXPECT_FALSE(ReadDisc(linear, 20.5, 0).has_value()) << "beyond the measured disc";
    EXPECT_FALSE(ReadDisc(TopoModel{}, 0, 0).has_value()) << "an empty map";

    EXPECT_EQ(ReadingText(*ReadDisc(linear, 0, 20), false), QString::fromUtf8("Theta: 20.0°  Phi: 90.0°  Level: 97.6 %"));
    EXPECT_EQ(ReadingText(*node, true), QString::fromUtf8("Theta: 10.0°  Phi: 0.0°  Level: -1.5 dB"));
}

}  // namespace
}  // namespace velor::test
