// The Data Collection settings commands: what each changes, which hint it sends, what it asks
// and when its menu item is enabled or checked.

#include <cmath>
#include <gtest/gtest.h>

#include "document/CommandIds.h"
#include "document/UpdateHints.h"
#include "document/file/SaveAs.h"
#include "tests/support/TestStation.h"

namespace velor::test {
namespace {

class SettingsCommands : public ::testing::Test {
protected:
    void SetUp() override {
        doc = station.NewDocument();
        view = station.AddProbe();
    }
    TestStation station;
    CVelor32Doc* doc = nullptr;
    ProbeView* view = nullptr;
};

TEST_F(SettingsCommands, ScanModesSwitchAndMarkTheCurrentOne) {
    EXPECT_TRUE(doc->GetCommandState(ID_SINGLE_AXIS).checked);
    EXPECT_TRUE(doc->GetCommandState(ID_SINGLE_AXIS).radio);
    EXPECT_FALSE(doc->GetCommandState(ID_PERPENDICULAR_AXES).checked);
    EXPECT_TRUE(doc->GetCommandState(ID_PERPENDICULAR_AXES).enabled);

    doc->m_fPhi = 30.0f;
    doc->SetPhiPair(45.0f);
    ASSERT_TRUE(doc->OnCommand(ID_PERPENDICULAR_AXES));
    EXPECT_EQ(doc->GetScanMode(), 2);
    EXPECT_TRUE(doc->IsPerpendicular());
    EXPECT_EQ(doc->GetPhi(0, 0), 45.0f) << "phi is not touched";
    EXPECT_EQ(view->hints.back(), UM_MODECHANGED);
    EXPECT_TRUE(doc->GetCommandState(ID_PERPENDICULAR_AXES).checked);

    ASSERT_TRUE(doc->OnCommand(ID_SINGLE_AXIS));
    EXPECT_EQ(doc->GetScanMode(), 0);
    EXPECT_EQ(doc->GetPhi(0, 0), 30.0f) << "the phi pair comes from the stored phi";
    EXPECT_EQ(doc->GetPhi(1, 0), 120.0f);
}

class ModalDocument : public CVelor32Doc {
public:
    using CVelor32Doc::CVelor32Doc;
    void EnterReplay() { m_bReplay = 1; }
    void EnterCrossSections() { m_bCrossSection = 1; }
};

TEST(SettingsCommandsModes, ScanModesAndDataFileSaveAreBarredInReplayAndCrossSections) {
    TestStation station;
    ModalDocument replay(station.environment);
    EXPECT_FALSE(RefuseDataFileSave(replay, station.prompt));
    replay.EnterReplay();
    EXPECT_FALSE(replay.GetCommandState(ID_SINGLE_AXIS).enabled);
    EXPECT_FALSE(replay.GetCommandState(ID_PERPENDICULAR_AXES).enabled);
    EXPECT_TRUE(RefuseDataFileSave(replay, station.prompt));
    EXPECT_EQ(station.prompt.Last().text,
              "Data Files (*.VNQ) cannot be saved while software is in\nReplay Mode or Computed "
              "Cross Sections Replay Mode!\n\nExit from the current mode and then save the Data File.");

    ModalDocument cross(station.environment);
    cross.EnterCrossSections();
    EXPECT_FALSE(cross.GetCommandState(ID_SINGLE_AXIS).enabled);
    EXPECT_TRUE(RefuseDataFileSave(cross, station.prompt));
}

TEST_F(SettingsCommands, PhiAngleStoresPhiClearsProfilesAndResets) {
    doc->GetProfileData(0)[100] = 1.0f;
    doc->GetProfileData(1)[100] = 1.0f;
    doc->ApplyPhiAngle(22.5f);
    EXPECT_EQ(doc->m_fPhi, 22.5f);
    EXPECT_EQ(doc->GetPhi(1, 0), 112.5f);
    EXPECT_EQ(doc->GetProfileData(0)[100], 0.0f);
    EXPECT_EQ(doc->GetProfileData(1)[100], 1.0f) << "axis 1 is only cleared in perpendicular mode";
    EXPECT_EQ(view->hints.back(), UM_PARAMCHANGED);
}

TEST_F(SettingsCommands, DistanceDialogAsksThenResetsAndLimitsTheAngularLimit) {
    doc->m_b3DValid = 1;
    doc->m_nUnits = 2;
    doc->m_fCalCounts = 77.0f;

    doc->ApplyApertureSourceDistance(0.0f);  // unchanged value: nothing at all
    EXPECT_TRUE(station.prompt.Messages().empty());

    doc->ApplyApertureSourceDistance(10.0f);  // answered No
    ASSERT_EQ(station.prompt.Messages().size(), 1u);
    EXPECT_EQ(station.prompt.Last().text, "This operation will reset all data views.\nDo you want to continue?");
    EXPECT_EQ(station.prompt.Last().caption, "Procedure warning");
    EXPECT_EQ(station.prompt.Last().buttons, PromptButtons::YesNo);
    EXPECT_EQ(station.prompt.Last().icon, PromptIcon::Stop);
    EXPECT_FLOAT_EQ(doc->m_fDistance, 1.65f);

    station.prompt.Answer(PromptAnswer::Yes);
    doc->ApplyApertureSourceDistance(10.0f);
    EXPECT_FLOAT_EQ(doc->m_fDistance, 11.65f);
    EXPECT_EQ(doc->m_b3DValid, 0);
    EXPECT_EQ(doc->m_nUnits, 0);
    EXPECT_EQ(doc->m_fCalCounts, 77.0f) << "the dialog keeps the calibration";
    const PromptMessage& limit = station.prompt.Last();
    EXPECT_EQ(limit.text, "Angular Limit for integral computation exceeds the Field of View.\n"
                          "The angular limit was automatically set to 16.51");
    EXPECT_EQ(limit.caption, "Invalid Angular Limit");
    EXPECT_EQ(limit.icon, PromptIcon::Exclamation);
    EXPECT_NEAR(doc->GetAngularLimit(), 16.51f, 1e-4f);
    EXPECT_EQ(view->hints.back(), UM_PARAMCHANGED);
}

TEST_F(SettingsCommands, PulsedModeStoresWithinItsRange) {
    doc->ApplyPulsedMode(true, 12.5f);
    EXPECT_TRUE(doc->GetPulsedMode());
    EXPECT_EQ(doc->GetSourceFrequency(), 12.5f);
    EXPECT_EQ(view->hints.back(), UM_PARAMCHANGED);
    doc->ApplyPulsedMode(true, 25.0f);
    EXPECT_EQ(doc->GetSourceFrequency(), 12.5f);
    doc->ApplyPulsedMode(false, 12.5f);
    EXPECT_FALSE(doc->GetPulsedMode());
}

TEST_F(SettingsCommands, ReferencePowerCalibratesFromTheConeTotal) {
    doc->GetConePower()[1620] = 2.0e5f;
    doc->m_n3DGain = 20;
    doc->m_nSignalGain = 20;
    doc->ApplyReferencePower(1.0f, QStringLiteral("\u00b5W"));
    EXPECT_EQ(doc->GetCalCounts(), 2.0e5f);
    EXPECT_EQ(doc->m_nCalGain, 20);
    EXPECT_STREQ(doc->GetRefUnits(), "\xB5W");
    EXPECT_EQ(view->hints.back(), UM_UNITS);
    // K turns a sample into W/sr: 10^(−g/20) · P · (D + 6.62)² / C.
    const double k = 0.1 * 1.0 * (1.65 + 6.62) * (1.65 + 6.62) / 2.0e5;
    EXPECT_NEAR(doc->GetIntensityFactor(), k, k * 1e-6);

    doc->ApplyReferencePower(2.0f, QStringLiteral("a very long unit name"));
    EXPECT_STREQ(doc->GetRefUnits(), "a very lo") << "at most nine characters";

    const size_t hints = view->hints.size();
    doc->GetConePower()[1620] = 3.0e5f;
    for (float outside : {0.5f, 1000.5f, std::nanf("")}) doc->ApplyReferencePower(outside, QStringLiteral("W"));
    EXPECT_EQ(doc->GetRefPower(), 2.0f) << "outside the dialog's range: ignored";
    EXPECT_EQ(doc->GetCalCounts(), 2.0e5f);
    EXPECT_EQ(view->hints.size(), hints);
}

TEST_F(SettingsCommands, UnitsAreCheckedAndIntensityNeeds3DData) {
    EXPECT_TRUE(doc->GetCommandState(ID_UNITS_RELATIVE).checked);
    EXPECT_FALSE(doc->GetCommandState(ID_UNITS_INTENSITY).enabled);
    doc->m_b3DValid = 1;
    EXPECT_TRUE(doc->GetCommandState(ID_UNITS_INTENSITY).enabled);
    ASSERT_TRUE(doc->OnCommand(ID_UNITS_COUNTS));
    EXPECT_EQ(doc->GetUnits(), 1);
    EXPECT_TRUE(doc->GetCommandState(ID_UNITS_COUNTS).checked);
    EXPECT_FALSE(doc->GetCommandState(ID_UNITS_RELATIVE).checked);
    EXPECT_EQ(view->hints.back(), UM_UNITS);
}

TEST_F(SettingsCommands, BlindSpotCorrectionNeedsTheMotionController) {
    EXPECT_FALSE(doc->GetCommandState(ID_BLIND_SPOT_CORRECTION).enabled);
    EXPECT_FALSE(doc->GetCommandState(ID_BLIND_SPOT_CORRECTION).checked);
    station.motion.connected = true;
    EXPECT_TRUE(doc->GetCommandState(ID_BLIND_SPOT_CORRECTION).enabled);
    EXPECT_TRUE(doc->GetCommandState(ID_BLIND_SPOT_CORRECTION).checked);
    doc->OnCommand(ID_BLIND_SPOT_CORRECTION);
    EXPECT_FALSE(doc->GetBlindSpotCorrection());
    EXPECT_FALSE(doc->GetCommandState(ID_BLIND_SPOT_CORRECTION).checked);
}

TEST_F(SettingsCommands, RecomputeAndResetSendTheirHints) {
    doc->OnCommand(ID_RECOMPUTE);
    EXPECT_EQ(view->hints.back(), UM_RECOMPUTE);

    view->hints.clear();
    doc->OnCommand(ID_RESET_DATA_VIEWS);  // No
    EXPECT_TRUE(view->hints.empty());
    station.prompt.Answer(PromptAnswer::Yes);
    doc->OnCommand(ID_RESET_DATA_VIEWS);
    EXPECT_EQ(view->hints, std::vector<uint32_t>{UM_PARAMCHANGED});
    EXPECT_FALSE(doc->OnCommand(12345));
}

TEST_F(SettingsCommands, IntegralParametersAreStored) {
    doc->ApplyIntegralParameters(1550.0f, 25.0f);
    EXPECT_EQ(doc->GetWavelength(), 1550.0f);
    EXPECT_EQ(doc->GetAngularLimit(), 25.0f);
}

TEST(SaveAs, ChosenFilterReplacesTheExtension) {
    EXPECT_EQ(ReplaceExtension("/data/run.txt", "vnq"), "/data/run.vnq");
    EXPECT_EQ(ReplaceExtension("/data/run", "cfg"), "/data/run.cfg");
    EXPECT_EQ(ReplaceExtension("/data/run.1.vnq", "asc"), "/data/run.1.asc");
    EXPECT_EQ(ReplaceExtension("/data.d/run", "prw"), "/data.d/run.prw") << "folders keep their dots";
    EXPECT_EQ(ReplaceExtension("run.", "bmp"), "run.bmp");
    EXPECT_EQ(kSaveAsFilters[0].description, std::string("Data Files (*.VNQ)"));
    EXPECT_EQ(kSaveAsFilters[4].pattern, std::string("*.BMP"));
}

}  // namespace
}  // namespace velor::test
