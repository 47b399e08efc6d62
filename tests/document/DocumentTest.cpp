// The measurement document's operations: defaults, range rules, angles, automation
// properties and the board calls it makes.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>

#include "document/UpdateHints.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

class Document : public ::testing::Test {
protected:
    void SetUp() override { doc = station.NewDocument(); }
    TestStation station;
    CVelor32Doc* doc = nullptr;
};

TEST_F(Document, NewDocumentHasTheDocumentedDefaults) {
    EXPECT_EQ(doc->GetSignalGain(), 0);
    EXPECT_EQ(doc->GetScanMode(), 0);
    EXPECT_EQ(doc->GetFilter(), 1);
    EXPECT_EQ(doc->GetAveraging(), 1);
    EXPECT_NEAR(doc->GetApertureSourceDistance(), 0.0f, 1e-6f);
    EXPECT_EQ(doc->GetPhi(0, 0), 0.0f);
    EXPECT_EQ(doc->GetPhi(1, 0), 90.0f);
    EXPECT_EQ(doc->m_nScans3D, 10);
    EXPECT_TRUE(doc->GetBlindSpotCorrection());
    EXPECT_EQ(doc->GetRefPower(), 1.0f);
    EXPECT_STREQ(doc->GetRefUnits(), "mW");
    EXPECT_EQ(doc->GetUnits(), 0);
    EXPECT_EQ(doc->m_nHeadType, -1);
    EXPECT_EQ(doc->GetAngularLimit(), 40.0f);
    EXPECT_EQ(doc->GetWavelength(), 1310.0f);
    EXPECT_FALSE(doc->GetPulsedMode());
    EXPECT_EQ(doc->GetSourceFrequency(), 1.0f);
    EXPECT_EQ(doc->m_b3DValid, 0);
    EXPECT_EQ(doc->GetNumPoints(0), 3241);
    EXPECT_EQ(doc->GetDataIncrement(), 1);
    EXPECT_FALSE(doc->HasInstrument());
    EXPECT_EQ(station.frame.caption, "Orbiscan Viewer - Untitled");
    EXPECT_TRUE(doc->CanOpenPowerView());
    EXPECT_TRUE(doc->IsViewTimingLocked());
    // Construction abandons any capture: the board is asked whether one runs.
    EXPECT_FALSE(station.board.Named("DaqInProgress").empty());
}

TEST_F(Document, AxisOfTwoOrMoreGivesNothing) {
    EXPECT_EQ(doc->GetNumPoints(2), 0);
    EXPECT_EQ(doc->GetProfileData(2), nullptr);
    EXPECT_EQ(doc->GetPeakValue(2), 0.0f);
    EXPECT_EQ(doc->GetPhi(5, 0), 0.0f);
    EXPECT_EQ(doc->GetProfileAngles(2), nullptr);
    EXPECT_EQ(doc->FindProfileIndex(0.0f, 0, 2), 0);
}

TEST_F(Document, FindGridIndexTakesTheFirstAngleAtLeastTheWanted) {
    EXPECT_EQ(doc->FindGridIndex(100.0f, kUnitsDegreesIn), 3240);
    EXPECT_EQ(doc->FindGridIndex(-100.0f, kUnitsDegreesIn), 0);
    EXPECT_EQ(doc->FindGridIndex(0.0f, 0), 1620);
    const float just = doc->GetAngleGrid()[2000];
    EXPECT_EQ(doc->FindGridIndex(just, 0), 2000);
    EXPECT_EQ(doc->FindGridIndex(std::nextafter(just, 1.0f), 0), 2001);
    // Degrees in, same answer.
    EXPECT_EQ(doc->FindGridIndex(doc->GetGridAngle(2000, 0) - 1e-4f, kUnitsDegreesIn), 2000);
    EXPECT_FLOAT_EQ(doc->GetGridAngle(2000, kUnitsRadians), just);
}

TEST_F(Document, SignalGainAndFineValuesOutOfRangeAreIgnored) {
    doc->SetSignalGain(185);
    EXPECT_EQ(doc->GetSignalGain(), 185);
    EXPECT_EQ(station.board.Named("SetSignalGain").back().value, 185);
    doc->SetSignalGain(186);
    EXPECT_EQ(doc->GetSignalGain(), 185);
    EXPECT_EQ(station.board.Named("SetSignalGain").size(), 1u);

    station.board.calls.clear();
    doc->SetFine(6479, 1);
    doc->SetFine(6480, 0);
    doc->SetFine(10, 2);
    ASSERT_EQ(station.board.Named("SetFine").size(), 1u);
    EXPECT_EQ(station.board.Named("SetFine")[0].value, 6479);
}

TEST_F(Document, PhiReachesTheBoardAsOnePlusEighteenPerDegree) {
    struct Case {
        float phi;
        int fine;
    };
    for (const Case c : {Case{0.0f, 1}, Case{10.0f, 181}, Case{0.225f, 5}, Case{359.9f, 6479}}) {
        station.board.calls.clear();
        doc->SendPhiToBoard(0, c.phi);
        ASSERT_EQ(station.board.Named("SetFine").size(), 1u) << c.phi;
        EXPECT_EQ(station.board.Named("SetFine")[0].value, c.fine) << c.phi;
    }
    station.board.calls.clear();
    doc->SendPhiToBoard(0, 360.0f);  // 6481: beyond the fine range
    EXPECT_TRUE(station.board.Named("SetFine").empty());
}

TEST_F(Document, ApertureSourceDistancePropertyStoresTheOffsetAndResets) {
    doc->GetProfileData(0)[10] = 5.0f;
    doc->m_fCalCounts = 123.0f;
    doc->m_b3DValid = 1;
    doc->SetApertureSourceDistance(0.0f);
    EXPECT_FLOAT_EQ(doc->m_fDistance, 1.65f);
    EXPECT_NEAR(doc->GetApertureSourceDistance(), 0.0f, 1e-6f);
    EXPECT_EQ(doc->GetProfileData(0)[10], 0.0f) << "arrays allocated afresh";
    EXPECT_EQ(doc->m_fCalCounts, 0.0f);
    EXPECT_EQ(doc->m_b3DValid, 0);

    doc->SetAngularLimit(40.0f);
    doc->SetApertureSourceDistance(20.0f);  // limit 8.79°
    EXPECT_NEAR(doc->GetAngularLimit(), 8.79f, 1e-3f);
    EXPECT_NEAR(doc->GetAngleGrid()[3240], std::atan(6.62 / 21.65), 1e-6);
    EXPECT_TRUE(station.prompt.Messages().empty()) << "the property changes silently";

    doc->SetApertureSourceDistance(-1.0f);
    doc->SetApertureSourceDistance(101.0f);
    EXPECT_FLOAT_EQ(doc->m_fDistance, 21.65f);
}

TEST_F(Document, AngularLimitIsClampedToTheFieldOfView) {
    doc->SetApertureSourceDistance(5.0f);
    doc->SetAngularLimit(60.0f);
    EXPECT_FLOAT_EQ(doc->GetAngularLimit(), doc->GetFieldOfView(0));
    doc->SetAngularLimit(12.5f);
    EXPECT_EQ(doc->GetAngularLimit(), 12.5f);
}

TEST_F(Document, DataIncrementStridesTheAutomationArrays) {
    float* p = doc->GetProfileData(0);
    for (int i = 0; i < 3241; ++i) p[i] = static_cast<float>(i);
    doc->SetDataIncrement(3);
    EXPECT_EQ(doc->GetNumPts(), 1080);
    const std::vector<float> data = doc->GetProfileDataArray();
    ASSERT_EQ(data.size(), 1080u);
    EXPECT_EQ(data[0], 0.0f);
    EXPECT_EQ(data[1], 3.0f);
    EXPECT_EQ(data.back(), 3237.0f);
    const std::vector<float> angles = doc->GetProfileAngleArray();
    ASSERT_EQ(angles.size(), 1080u);
    EXPECT_EQ(angles[540], doc->GetAngleGrid()[1620]);

    doc->SetDataIncrement(0);  // meaningless stride: ignored
    doc->SetDataIncrement(-2);
    EXPECT_EQ(doc->GetDataIncrement(), 3);
}

TEST_F(Document, ShowWindowPropertyShowsAndHidesTheMainWindow) {
    doc->SetShowWindow(true);
    EXPECT_TRUE(station.frame.shown);
    EXPECT_TRUE(doc->GetShowWindow());
    doc->SetShowWindow(false);
    EXPECT_FALSE(station.frame.shown);
}

TEST_F(Document, InitInstrumentRefusesWithoutAnInstrument) {
    EXPECT_FALSE(doc->InitInstrument());
    const PromptMessage& m = station.prompt.Last();
    EXPECT_TRUE(m.text.startsWith("Tarvisco card not responding.\nRun the Tarvisco Configuration"));
    EXPECT_EQ(m.caption, "Data Acquisition Error");
    EXPECT_EQ(m.icon, PromptIcon::Question);
    EXPECT_TRUE(m.taskModal);

    station.prompt.Clear();
    doc->SetAcquisition(true);
    EXPECT_FALSE(doc->IsAcquiring()) << "acquisition stays off";
}

TEST_F(Document, InitInstrumentSetsTheBoardUpOnceAfterLoading) {
    doc->SetInstrumentFlag(true);
    station.board.headType = 1;
    station.board.headVariant = 4;
    doc->m_nSignalGain = 30;
    doc->m_nScanMode = 2;
    // A freshly loaded configuration asks for initialisation.
    station.AddNote("");
    ASSERT_TRUE(station.file.SaveDataFile(station.Path("c.cfg")));
    doc = station.file.LoadDataFile(station.Path("c.cfg"));
    ASSERT_NE(doc, nullptr);
    doc->SetInstrumentFlag(true);
    ASSERT_TRUE(doc->NeedsInitialisation());
    station.board.calls.clear();

    EXPECT_TRUE(doc->InitInstrument());
    EXPECT_FALSE(doc->NeedsInitialisation());
    EXPECT_EQ(doc->m_nHeadType, 1) << "a different head is taken";
    EXPECT_EQ(doc->m_nHeadVariant, 4);
    EXPECT_EQ(doc->GetSignalGain(), 0) << "with a different head the gain starts at 0";
    EXPECT_EQ(station.board.Named("InitCard").at(0).value, 768);
    EXPECT_EQ(doc->GetScanMode(), 0) << "without a motion controller: single axis";
    EXPECT_EQ(station.board.Named("SetFine").back().value, 1);

    station.board.calls.clear();
    EXPECT_TRUE(doc->InitInstrument());
    EXPECT_TRUE(station.board.Named("InitCard").empty()) << "only once";
}

TEST_F(Document, MaxScanRateDependsOnPulsedSystem) {
    EXPECT_EQ(doc->GetMaxScanRate(), 10);
    station.board.pulsedSystem = 1;
    EXPECT_EQ(doc->GetMaxScanRate(), 5);
}

TEST_F(Document, HintsReachEveryViewAndViewsLeaveCleanly) {
    ProbeView* a = station.AddProbe();
    auto b = std::make_unique<ProbeView>();
    doc->AddView(b.get());
    doc->SetUnits(1);
    EXPECT_EQ(a->hints, std::vector<uint32_t>{UM_UNITS});
    EXPECT_EQ(b->hints, std::vector<uint32_t>{UM_UNITS});
    b.reset();  // a window closing removes its view
    EXPECT_EQ(doc->Views().size(), 1u);
    doc->OnRecompute();
    EXPECT_EQ(a->hints.back(), UM_RECOMPUTE);
}

// g++ and clang tell of AddressSanitizer each in their own way.
#if defined(__SANITIZE_ADDRESS__)
#define VELOR_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELOR_UNDER_ASAN 1
#endif
#endif

#if !defined(VELOR_UNDER_ASAN)
// Runs in a child process: limits the address space, then asks for about 850 MB of scans.
[[noreturn]] void AllocateBeyondTheLimit() {
    TestStation station;
    CVelor32Doc* doc = station.NewDocument();
    const rlimit limit{256u << 20, 256u << 20};
    setrlimit(RLIMIT_AS, &limit);
    doc->m_nScans3D = 65535;
    try {
        doc->ReallocateArrays();
    } catch (const FatalExitCalled& fatal) {
        std::fprintf(stderr, "%s\n", fatal.what());
        std::_Exit(fatal.exitCode);
    }
    std::_Exit(0);
}
#endif

// Allocation failure must end the program through the door with "Not enough memory".
TEST(DocumentDeathTest, FailedAllocationEndsTheProgram) {
#if defined(VELOR_UNDER_ASAN)
    GTEST_SKIP() << "address-space limits do not apply under AddressSanitizer";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(AllocateBeyondTheLimit(), ::testing::ExitedWithCode(kExitOutOfMemory),
                "Not enough memory");
#endif
}

}  // namespace
}  // namespace velor::test
