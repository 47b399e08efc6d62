// The document's 3D data: cone power against the enclosed power of a Gaussian beam, the
// thinned copy for the 3D views, replay and cross-section modes, and the two exports.

#include <QFile>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>

#include "document/CommandIds.h"
#include "document/UpdateHints.h"
#include "document/analysis/BeamMetrics.h"
#include "document/analysis/PolarGrid.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "instrument/simulation/BeamModel.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

constexpr double kPi = std::numbers::pi;

// Fills the 3D data from an intensity I(polar, azimuth): sample j of scan k looks at polar
// angle |θj| along azimuth φk, or φk + π on the negative side.
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

class Analysis3D : public ::testing::Test {
protected:
    void SetUp() override {
        doc = station.NewDocument();
        doc->SetApertureSourceDistance(2.0f);
    }
    TestStation station;
    CVelor32Doc* doc = nullptr;
};

TEST_F(Analysis3D, ConePowerIsTheEnclosedPowerOfAGaussianBeam) {
    const double s0 = 0.1;  // sine of the 1/e² half-angle
    Fill3D(*doc, [s0](double theta, double) {
        const double s = std::sin(theta) / s0;
        return 10000.0 * std::exp(-2.0 * s * s);
    });
    doc->m_n3DGain = 20;
    doc->ComputeConePower();
    const float* cone = doc->GetConePower();
    const float* grid = doc->GetAngleGrid();
    for (int i = 1; i < 1621; i += 20) {
        const double s = std::sin(grid[1620 + i]) / s0;
        EXPECT_NEAR(cone[i] / cone[1620], 1.0 - std::exp(-2.0 * s * s), 0.005) << i;
    }
    // The total: ∫ I dΩ = 2π · 10000 · s0² / 4 (small angles), times the 3D gain and the
    // sphere's radius squared.
    const double r = 3.65 + 6.62;
    const double total = 0.1 * r * r * 2.0 * kPi * 10000.0 * s0 * s0 / 4.0;
    EXPECT_NEAR(cone[1620], total, total * 0.01);
}

TEST_F(Analysis3D, ConePowerOfZerosOrSignalBelowTheNoiseIsZero) {
    doc->ComputeConePower();
    EXPECT_EQ(doc->GetConePower()[1620], 0.0f);
    Fill3D(*doc, [](double, double) { return 40.0; });
    for (int k = 0; k <= 10; ++k) doc->GetScanNoise()[k] = 41.0f;
    station.AddNote("");
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("low.vnq")));
    CVelor32Doc* loaded = station.file.LoadDataFile(station.Path("low.vnq"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Get3DNoiseMaximum(), 41.0f);
    for (int i = 0; i < 1621; ++i) ASSERT_EQ(loaded->GetConePower()[i], 0.0f) << i;
}

TEST_F(Analysis3D, SampledDataThinsThetaAndKeepsEveryScan) {
    Fill3D(*doc, [](double theta, double phi) { return theta < 0.3 ? 100.0 + phi : -5.0; });
    CVelor32Doc::Sampled3dData data;
    EXPECT_FALSE(doc->GetSampled3dData(3, data));
    struct Case {
        int resolution, step, count;
    };
    for (const Case c : {Case{0, 27, 121}, Case{1, 12, 271}, Case{2, 6, 541}}) {
        ASSERT_TRUE(doc->GetSampled3dData(c.resolution, data));
        ASSERT_EQ(data.theta.size(), static_cast<size_t>(c.count));
        ASSERT_EQ(data.phi.size(), 11u);
        ASSERT_EQ(data.values.size(), static_cast<size_t>(c.count) * 11);
        EXPECT_FLOAT_EQ(data.theta[c.count / 2], 0.0f);
        EXPECT_NEAR(data.theta.back(), doc->GetGridAngle(3240, 0), 1e-4);
        EXPECT_FLOAT_EQ(data.phi[10], static_cast<float>(kPi));
        const int centre = c.count / 2;
        EXPECT_FLOAT_EQ(data.values[centre * 11 + 4], doc->Get3DData()[4 * 3241 + centre * c.step]);
        EXPECT_EQ(data.values[0], 0.0f) << "negative values are raised to 0";
    }
}

TEST_F(Analysis3D, Export3dDataHoldsNTheGridAndTheScansBelow180Degrees) {
    Fill3D(*doc, [](double theta, double phi) { return theta + phi; });
    const QString path = station.Path("x.prw");
    ASSERT_TRUE(doc->Export3dData(path).Ok());
    const QByteArray bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 4 + 12964 * 11);
    EXPECT_EQ(bytes.left(4), QByteArray::fromHex("0a00a90c"));
    EXPECT_EQ(bytes.mid(4, 12964), QByteArray(reinterpret_cast<const char*>(doc->GetAngleGrid()), 12964));
    EXPECT_EQ(bytes.mid(4 + 12964 * 10, 12964),
              QByteArray(reinterpret_cast<const char*>(doc->Get3DData() + 9 * 3241), 12964))
        << "the last scan written is the one at 162°";
    EXPECT_FALSE(doc->Export3dData(station.Path("no/such/dir/x.prw")).Ok());
}

TEST_F(Analysis3D, ExportTextSingleAxisLinesByteForByte) {
    const float p0[] = {1.5f, -2.25f, 12345.678f};
    doc->StoreProfiles(p0, {});
    doc->m_nSignalGain = 42;
    doc->SetPhiPair(12.5f);
    char expected[512];
    std::snprintf(expected, sizeof expected,
                  "Gain =\t42\r\n\r\nTheta [rad]\tPhi = 12.500\xB0\r\n"
                  "%+09.06f\t      1.50\t\r\n%+09.06f\t     -2.25\t\r\n%+09.06f\t  12345.68\t\r\n",
                  doc->GetAngleGrid()[0], doc->GetAngleGrid()[1], doc->GetAngleGrid()[2]);
    EXPECT_EQ(doc->TextExport(), QByteArray(expected));
}

TEST_F(Analysis3D, ExportTextPerpendicularAxesAddsTheSecondColumn) {
    const float p0[] = {1.0f, 2.0f};
    const float p1[] = {3.0f, 4.0f};
    doc->OnPerpendicularAxes();
    doc->StoreProfiles(p0, p1);
    char expected[512];
    std::snprintf(expected, sizeof expected,
                  "Gain =\t0\r\n\r\nTheta [rad]\tPhi = 0.000\xB0\tPhi = 90.000\xB0\r\n"
                  "%+09.06f\t      1.00\t      3.00\r\n%+09.06f\t      2.00\t      4.00\r\n",
                  doc->GetAngleGrid()[0], doc->GetAngleGrid()[1]);
    EXPECT_EQ(doc->TextExport(), QByteArray(expected));
}

class CrossSectionTextDocument : public CVelor32Doc {
public:
    using CVelor32Doc::CVelor32Doc;
    void Enter() { m_bCrossSection = 1; }
};

TEST(Analysis3DText, ExportTextInCrossSectionModeListsEachAxisWithItsAngles) {
    TestStation station;
    CrossSectionTextDocument doc(station.environment);
    const float p0[] = {7.0f};
    const float p1[] = {8.0f, 9.0f};
    doc.StoreProfiles(p0, p1);
    doc.GetProfileAngles(0)[0] = -0.5f;
    doc.GetProfileAngles(1)[0] = 0.25f;
    doc.GetProfileAngles(1)[1] = 0.125f;
    doc.SetPhiPair(30.0f);
    doc.Enter();
    EXPECT_EQ(doc.TextExport(),
              QByteArray("Gain =\t0\r\n"
                         "\r\nPhi' = \t30.00\xB0\r\nTheta [rad]\tData\r\n-0.500000\t      7.00\r\n"
                         "\r\nPhi' = \t120.00\xB0\r\nTheta [rad]\tData\r\n+0.250000\t      8.00\r\n"
                         "+0.125000\t      9.00\r\n"));
}

TEST_F(Analysis3D, ReplayShowsStoredScansAndGivesEverythingBackOnLeaving) {
    Fill3D(*doc, [](double theta, double phi) { return 1000.0 * std::exp(-theta * theta * 50) * (1 + phi); });
    for (int k = 0; k <= 10; ++k) doc->GetScanNoise()[k] = 10.0f + k;
    std::vector<float> own(3241);
    for (int i = 0; i < 3241; ++i) own[i] = static_cast<float>(i % 101);
    doc->StoreProfiles(own, {});
    doc->m_fNoise[0] = 3.5f;
    doc->m_fPhi = 45.0f;
    doc->SetPhiPair(45.0f);
    doc->OnPerpendicularAxes();
    doc->m_b3DValid = 1;
    ProbeView* view = station.AddProbe();

    EXPECT_TRUE(doc->GetCommandState(ID_REPLAY_3D_DATA).enabled);
    ASSERT_TRUE(doc->OnCommand(ID_REPLAY_3D_DATA));
    EXPECT_TRUE(doc->IsReplayMode());
    EXPECT_TRUE(doc->GetCommandState(ID_REPLAY_3D_DATA).checked);
    EXPECT_EQ(doc->GetScanMode(), 0);
    EXPECT_EQ(station.frame.openDialogs, std::vector<DocumentMode>{DocumentMode::Replay});
    EXPECT_EQ(doc->GetProfileData(0)[1620], doc->Get3DData()[1620]);

    doc->ReplayScan(3);
    EXPECT_FLOAT_EQ(doc->GetPhi(0, 0), 54.0f);
    EXPECT_EQ(doc->m_fNoise[0], 13.0f);
    EXPECT_EQ(doc->GetProfileData(0)[1620], doc->Get3DData()[3 * 3241 + 1620]);
    EXPECT_EQ(view->hints.back(), UM_RECOMPUTE);

    doc->OnCommand(ID_REPLAY_3D_DATA);
    EXPECT_FALSE(doc->IsReplayMode());
    EXPECT_TRUE(station.frame.openDialogs.empty());
    EXPECT_EQ(std::vector<float>(doc->GetProfileData(0), doc->GetProfileData(0) + 3241), own);
    EXPECT_EQ(doc->m_fNoise[0], 3.5f);
    EXPECT_EQ(doc->GetPhi(0, 0), 45.0f);
    EXPECT_EQ(doc->GetScanMode(), 2);
    EXPECT_EQ(doc->GetPeakIndex(0), 100);
}

TEST_F(Analysis3D, ModeCommandsNeed3DDataAndAcquisitionOff) {
    EXPECT_FALSE(doc->GetCommandState(ID_REPLAY_3D_DATA).enabled);
    EXPECT_FALSE(doc->GetCommandState(ID_COMPUTED_CROSS_SECTIONS).enabled);
    doc->m_b3DValid = 1;
    EXPECT_TRUE(doc->GetCommandState(ID_COMPUTED_CROSS_SECTIONS).enabled);
}


// A Gaussian beam about the direction (tiltTheta, tiltPhi), radians.
std::function<double(double, double)> TiltedGaussian(double tiltTheta, double tiltPhi, double s0) {
    const double cx = std::sin(tiltTheta) * std::cos(tiltPhi), cy = std::sin(tiltTheta) * std::sin(tiltPhi),
                 cz = std::cos(tiltTheta);
    return [=](double theta, double phi) {
        const double dot = std::sin(theta) * std::cos(phi) * cx + std::sin(theta) * std::sin(phi) * cy +
                           std::cos(theta) * cz;
        const double s2 = std::max(0.0, 1.0 - dot * dot) / (s0 * s0);
        return dot > 0 ? 20000.0 * std::exp(-2.0 * s2) : 0.0;
    };
}

TEST_F(Analysis3D, AnalysisFindsATiltedBeamsCentroidAndItsPowerAgreesWithTheConeTotal) {
    doc->m_nScans3D = 50;
    doc->ReallocateArrays();
    Fill3D(*doc, TiltedGaussian(10.0 * kPi / 180, 30.0 * kPi / 180, 0.08));
    ASSERT_TRUE(doc->Analyse3dData());
    EXPECT_NEAR(doc->GetCentroidAngles()[0], 10.0f, 0.1f);
    EXPECT_NEAR(doc->GetCentroidAngles()[1], 30.0f, 0.1f);
    doc->ComputeConePower();
    const int count = doc->GetCentroidPowerCount();
    ASSERT_GT(count, 100);
    const float total = doc->GetCentroidPower()[count - 1];
    EXPECT_NEAR(total, doc->GetConePower()[1620], 0.005 * doc->GetConePower()[1620]);

    // Beyond 180° of azimuth the centroid is shown with a negative polar angle.
    Fill3D(*doc, TiltedGaussian(10.0 * kPi / 180, 210.0 * kPi / 180, 0.08));
    ASSERT_TRUE(doc->Analyse3dData());
    EXPECT_NEAR(doc->GetCentroidAngles()[0], -10.0f, 0.1f);
    EXPECT_NEAR(doc->GetCentroidAngles()[1], 30.0f, 0.1f);
}

TEST_F(Analysis3D, AnalysisOfNothingFailsAndKeepsEarlierResults) {
    Fill3D(*doc, TiltedGaussian(0.1, 1.0, 0.1));
    ASSERT_TRUE(doc->Analyse3dData());
    const float before = doc->GetCentroidAngles()[0];
    Fill3D(*doc, [](double, double) { return 0.0; });
    EXPECT_FALSE(doc->Analyse3dData());
    EXPECT_EQ(doc->GetCentroidAngles()[0], before);
}

TEST_F(Analysis3D, ALoadedDataSetTheAnalysisRefusesHasNoBeamShapeEvenAskedAlone) {
    // A narrow peak on a baseline below zero: a shape stands out of it, but the total is negative, so
    // there is no centroid and the analysis takes nothing from the data set.
    Fill3D(*doc, [](double theta, double) { return -100.0 + 150.0 * std::exp(-theta * theta / 0.01); });
    ASSERT_TRUE(ComputeBeamShape(RegridScans(doc->GetAngleGrid(), doc->Get3DData(), doc->m_nScans3D)).valid);
    ASSERT_FALSE(doc->Analyse3dData());
    doc->m_b3DValid = 1;
    station.AddNote("");  // a file is saved with its note
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("refused.vnq")));

    CVelor32Doc* loaded = station.file.LoadDataFile(station.Path("refused.vnq"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_FALSE(loaded->GetBeamShape().valid);
    EXPECT_FALSE(loaded->Analyse3dData());
    EXPECT_FALSE(loaded->GetBeamShape().valid);
}

TEST_F(Analysis3D, CrossSectionsOfASymmetricBeamEqualItsMeasuredProfile) {
    const auto beam = TiltedGaussian(0.0, 0.0, 0.15);
    Fill3D(*doc, beam);
    std::vector<float> measured(3241);
    for (int j = 0; j < 3241; ++j) measured[j] = static_cast<float>(beam(std::fabs(doc->GetAngleGrid()[j]), 0.0));
    doc->StoreProfiles(measured, measured);
    doc->m_b3DValid = 1;
    ASSERT_TRUE(doc->Analyse3dData());
    EXPECT_NEAR(doc->GetCentroidAngles()[0], 0.0f, 0.05f);

    doc->ToggleCrossSections();
    ASSERT_TRUE(doc->IsCrossSectionMode());
    EXPECT_EQ(doc->GetScanMode(), 2);
    for (int axis = 0; axis < 2; ++axis) {
        const int n = doc->GetNumPoints(axis);
        ASSERT_GT(n, 2000);
        const float* angles = doc->GetProfileAngles(axis);
        const float* values = doc->GetProfileData(axis);
        for (int i = 0; i < n; i += 37) {
            EXPECT_NEAR(values[i], beam(std::fabs(angles[i]), 0.0), 0.005 * 20000.0) << axis << " " << i;
        }
    }
    EXPECT_NEAR(std::fabs(doc->GetPhi(1, 0) - doc->GetPhi(0, 0)), 90.0f, 0.01f);
    // Parameters now read the cuts' own angles.
    EXPECT_NEAR(doc->GetCentroidAngle(0), 0.0f, 0.05f);
}

TEST_F(Analysis3D, EnteringCrossSectionsLeavesReplayFirstAndLeavingRestoresTheMeasurement) {
    Fill3D(*doc, TiltedGaussian(0.05, 0.5, 0.1));
    std::vector<float> own(3241, 7.0f);
    doc->StoreProfiles(own, own);
    doc->m_b3DValid = 1;
    doc->m_fPhi = 12.0f;
    doc->SetPhiPair(12.0f);
    ASSERT_TRUE(doc->Analyse3dData());

    doc->ToggleReplay();
    doc->ReplayScan(4);
    doc->ToggleCrossSections();
    EXPECT_FALSE(doc->IsReplayMode());
    EXPECT_TRUE(doc->IsCrossSectionMode());
    EXPECT_EQ(station.frame.openDialogs, std::vector<DocumentMode>{DocumentMode::CrossSections});

    doc->ToggleCrossSections();
    EXPECT_FALSE(doc->IsCrossSectionMode());
    EXPECT_EQ(doc->GetScanMode(), 0);
    EXPECT_EQ(doc->GetPhi(0, 0), 12.0f);
    EXPECT_EQ(doc->GetNumPoints(0), 3241);
    EXPECT_EQ(doc->GetNumPoints(1), 3241);
    EXPECT_EQ(doc->GetProfileData(0)[1620], 7.0f);
    EXPECT_EQ(doc->GetProfileData(1)[100], 7.0f);
}

TEST_F(Analysis3D, CrossSectionsThroughAUserDirectionOrThePeak) {
    Fill3D(*doc, TiltedGaussian(0.2, 1.0, 0.1));
    doc->m_b3DValid = 1;
    ASSERT_TRUE(doc->Analyse3dData());
    doc->ToggleCrossSections();
    doc->SetCrossSectionMode(1);  // through the brightest cell: near the beam axis
    ASSERT_TRUE(doc->ComputeCrossSections(0.0f));
    const int peak0 = doc->GetPeakIndex(0);
    EXPECT_NEAR(doc->GetProfileAngles(0)[peak0], 0.0f, 0.01f);

    doc->SetCrossSectionMode(2);
    doc->SetUserDirection(0.0f, 0.0f);
    ASSERT_TRUE(doc->ComputeCrossSections(static_cast<float>(kPi / 6)));
    station.prompt.Clear();
    // A cut that leaves the measured cap at once cannot be drawn.
    doc->SetUserDirection(89.0f, 0.0f);
    EXPECT_FALSE(doc->ComputeCrossSections(0.0f));
    ASSERT_EQ(station.prompt.Messages().size(), 1u);
    EXPECT_EQ(station.prompt.Last().text, "Cross sections cannot be determined for this vector!");
    EXPECT_EQ(station.prompt.Last().caption, "Invalid Vector Entry");
}

}  // namespace
}  // namespace velor::test

namespace velor::test {
namespace {

// A loaded file's 3D results are computed when first asked for; they must be what the
// analysis gave when the measurement was taken.
TEST(Analysis3DOnDemand, LoadedResultsEqualThoseComputedWhenTheMeasurementWasTaken) {
    TestStation station;
    CVelor32Doc* taken = station.NewDocument();
    sim::LaserDiodeBeam beam;
    beam.majorFwhmDeg = 24;
    beam.minorFwhmDeg = 9;
    beam.tiltThetaDeg = 4;
    beam.tiltPhiDeg = 30;
    SimulationOptions options;
    options.scans3D = 20;
    ASSERT_TRUE(SimulateMeasurement(*taken, *sim::MakeLaserDiode(beam), options));
    station.AddNote("");
    const std::vector<float> cone(taken->GetConePower(), taken->GetConePower() + kConePowerCount);
    const std::vector<float> centroidPower(taken->GetCentroidPower(),
                                           taken->GetCentroidPower() + taken->GetCentroidPowerCount());
    const float angles[2] = {taken->GetCentroidAngles()[0], taken->GetCentroidAngles()[1]};
    const float axisA[3] = {taken->GetPrincipalAxis(0)[0], taken->GetPrincipalAxis(0)[1], taken->GetPrincipalAxis(0)[2]};
    const BeamShape shape = taken->GetBeamShape();
    ASSERT_GT(cone.back(), 0.0f);
    ASSERT_TRUE(shape.valid);
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("m.vnq")));

    CVelor32Doc* loaded = station.file.LoadDataFile(station.Path("m.vnq"));
    ASSERT_NE(loaded, nullptr);
    // Asked first, the shape is worked out alone; then again with the whole analysis.
    for (const char* when : {"alone", "with the analysis"}) {
        SCOPED_TRACE(when);
        const BeamShape& s = loaded->GetBeamShape();
        EXPECT_EQ(s.valid, shape.valid);
        EXPECT_EQ(s.majorDivergence, shape.majorDivergence);
        EXPECT_EQ(s.minorDivergence, shape.minorDivergence);
        EXPECT_EQ(s.ellipticity, shape.ellipticity);
        EXPECT_EQ(s.orientation, shape.orientation);
        loaded->GetCentroidAngles();
    }
    EXPECT_EQ(loaded->GetCentroidAngles()[0], angles[0]);
    EXPECT_EQ(loaded->GetCentroidAngles()[1], angles[1]);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(loaded->GetPrincipalAxis(0)[i], axisA[i]);
    EXPECT_EQ(std::vector<float>(loaded->GetConePower(), loaded->GetConePower() + kConePowerCount), cone);
    ASSERT_EQ(loaded->GetCentroidPowerCount(), centroidPower.size());
    EXPECT_EQ(std::vector<float>(loaded->GetCentroidPower(), loaded->GetCentroidPower() + centroidPower.size()),
              centroidPower);
}

}  // namespace
}  // namespace velor::test
