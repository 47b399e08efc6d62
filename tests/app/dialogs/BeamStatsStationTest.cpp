// The beam statistics window on a station with the simulated instrument: live scans sampled
// while data collection is on, finite statistics that end collection at their size, and Log.

#include <gtest/gtest.h>

#include "tests/app/dialogs/StationFixture.h"
#include "views/beamstats/BeamData.h"
#include "views/framework/ViewFrame.h"

namespace velor::test {
namespace {

using BeamStatsStation = Station;

TEST_F(BeamStatsStation, FiniteStatisticsEndDataCollectionAtTheirSizeAndLogTakesASample) {
    CMainFrame& frame = StartSimulated();
    auto* view = static_cast<CBeamData*>(frame.OpenView(kBeamDataViewTag));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(frame.State(ID_BEAM_LOG).enabled) << "a station that measures";
    CBeamDataData finite = *view;
    finite.m_nWidthFlags = 0x01;
    finite.m_nStatMode = kStatFinite;
    finite.m_nFiniteSize = 5;
    finite.m_nDisplayFlags = 0x1F;
    view->ApplyParameters(finite, false);

    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));
    EXPECT_TRUE(view->DataCollection()) << "the view follows the acquisition";
    EXPECT_TRUE(frame.State(ID_DATA_COLLECTION).checked);
    ASSERT_TRUE(RunUntil([&] { return !view->DataCollection(); }));
    EXPECT_EQ(view->m_nSamples, 5u) << "the sixth scan takes no sample";
    RunUntil([] { return false; }, 30);
    EXPECT_EQ(view->m_nSamples, 5u);
    EXPECT_EQ(view->Frame()->windowTitle(), "Beam Statistics 5 samples - Lumora Inc.");
    // The live width, within the scan-to-scan noise of the simulated sweeps.
    EXPECT_NEAR(view->Statistics().Cells()[0].text[kColValue].toDouble(), Doc().GetAngularWidth(0, 135), 0.5);
    EXPECT_GT(Doc().GetAngularWidth(0, 135), 5.0f);
    EXPECT_FALSE(view->Statistics().Cells()[0].text[kColStdDev].isEmpty());

    CBeamDataData continuous = *view;
    continuous.m_nStatMode = kStatContinuous;
    view->ApplyParameters(continuous, false);
    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));  // acquisition off
    ASSERT_TRUE(frame.Execute(ID_BEAM_LOG));
    Pump();
    EXPECT_EQ(view->m_nSamples, 1u) << "Log samples whether or not data collection is on";
    EXPECT_TRUE(prompt.messages.empty());
}

}  // namespace
}  // namespace velor::test
