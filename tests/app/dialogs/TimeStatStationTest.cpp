// The time statistics view on a simulated station: F8 opens it, live acquisition charts the
// width of both axes with its statistics lines and table, a point that needs no rescaling is
// painted alone, manual collection takes one point per activation, a variable the mode
// cannot give adds nothing, and saved points come back and are erased only with leave.

#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cmath>

#include "app/AppCommands.h"
#include "tests/app/dialogs/StationFixture.h"
#include "views/beamstats/BeamData.h"
#include "views/framework/ViewFrame.h"
#include "views/timestats/Chart2D.h"
#include "views/timestats/TimeStatVariables.h"
#include "views/timestats/TimeStatView.h"
#include "views/timestats/TimeTimDlg.h"

namespace velor::test {
namespace {

class TimeStatStation : public Station {
protected:
    // The newest time statistics window.
    CTimeStatView* OpenTimeStats() {
        EXPECT_TRUE(Frame().Execute(ID_NEW_TIME_STATISTICS));
        return Last();
    }
    CTimeStatView* Last() {
        CTimeStatView* last = nullptr;
        for (CViewFrame* frame : Frame().ViewFrames()) {
            if (auto* view = qobject_cast<CTimeStatView*>(frame->View())) last = view;
        }
        return last;
    }
    // Lets the program run without waiting for anything.
    void Idle(int rounds) { RunUntil([] { return false; }, rounds); }
};

TEST_F(TimeStatStation, ChartsBothAxesLiveAndPaintsOnlyTheNewPoint) {
    CMainFrame& frame = StartSimulated();
    ASSERT_TRUE(frame.Execute(ID_PERPENDICULAR_AXES));
    CTimeStatView* view = OpenTimeStats();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Frame()->windowTitle(), "Time Statistics for Angular Width - Lumora Inc.");
    EXPECT_EQ(view->Model().Capacity(), 1000);
    EXPECT_EQ(view->Model().SeriesCount(), 2);
    EXPECT_EQ(view->m_fXMin, 1.0f);
    EXPECT_EQ(view->m_fXMax, 10.0f);
    EXPECT_EQ(QString::fromLatin1(view->m_szName[1]), QString::fromUtf8("5.0% Angular Width at 90.0° (deg)"));
    EXPECT_FALSE(frame.State(ID_DATA_COLLECTION).enabled) << "no scans before acquisition";

    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));
    EXPECT_TRUE(view->DataCollection()) << "the view follows the acquisition";
    ASSERT_TRUE(RunUntil([&] { return view->Model().Count() >= 2; }));
    for (int id : {ID_TS_MEAN, ID_TS_MIN_MAX, ID_TS_STD_DEV, ID_TS_CALCULATIONS}) {
        EXPECT_FALSE(frame.State(id).enabled) << id;
    }
    ASSERT_TRUE(RunUntil([&] { return view->Model().Count() >= 3; }));
    for (int id : {ID_TS_MEAN, ID_TS_MIN_MAX, ID_TS_STD_DEV, ID_TS_CALCULATIONS}) {
        EXPECT_TRUE(frame.State(id).enabled) << id;
    }
    for (int axis = 0; axis < 2; ++axis) {
        const double width = Doc().GetAngularWidth(axis, 50);
        ASSERT_GT(width, 5.0);
        EXPECT_NEAR(view->Model().Value(axis, view->Model().Count() - 1), width, 0.02 * width) << axis;
    }

    // After the 16th point the X axis ends at 22 and the Y axis is next looked at on the 20th:
    // the 18th and 19th points are painted alone.
    ASSERT_TRUE(RunUntil([&] { return view->Model().Count() >= 17; }, 1000));
    EXPECT_EQ(view->m_fXMax, 22.0f);
    const int replots = view->Chart()->ReplotCount();
    const int fast = view->Chart()->FastUpdateCount();
    ASSERT_TRUE(RunUntil([&] { return view->Model().Count() >= 19; }));
    EXPECT_EQ(view->Chart()->ReplotCount(), replots);
    EXPECT_EQ(view->Chart()->FastUpdateCount(), fast + 2);
    ASSERT_TRUE(RunUntil([&] { return view->Model().Count() >= 20; }));
    EXPECT_LE(view->m_fYMin, view->Model().Stats(0).min);
    EXPECT_GE(view->m_fYMax, view->Model().Stats(1).max);

    // Frozen, the points are still counted but the chart is left alone until it thaws.
    Doc().UpdateAllViews(kHintFreeze);
    const int frozenAt = view->Model().Count();
    const int replotsFrozen = view->Chart()->ReplotCount();
    const int fastFrozen = view->Chart()->FastUpdateCount();
    ASSERT_TRUE(RunUntil([&] { return view->Model().Count() >= frozenAt + 2; }));
    EXPECT_EQ(view->Chart()->ReplotCount(), replotsFrozen);
    EXPECT_EQ(view->Chart()->FastUpdateCount(), fastFrozen);
    Doc().UpdateAllViews(kHintThaw);
    EXPECT_EQ(view->Chart()->ReplotCount(), replotsFrozen + 1);

    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));
    EXPECT_FALSE(view->DataCollection());
    Doc().SetModifiedFlag(false);
    ASSERT_TRUE(frame.Execute(ID_TS_MEAN));
    EXPECT_EQ(view->Chart()->DataSets().size(), 4u);
    EXPECT_TRUE(frame.State(ID_TS_MEAN).checked);
    EXPECT_TRUE(Doc().IsModified()) << "a changed setting changes the file";
    ASSERT_TRUE(frame.Execute(ID_TS_STD_DEV));
    EXPECT_EQ(view->Chart()->DataSets().size(), 12u);
    ASSERT_TRUE(frame.Execute(ID_TS_MIN_MAX));
    EXPECT_EQ(view->Chart()->Curves().size(), 16u);
    ASSERT_TRUE(frame.Execute(ID_TS_CALCULATIONS));
    ASSERT_EQ(view->Table().size(), 3);
    EXPECT_TRUE(view->Chart()->FooterText().startsWith("    Variable ")) << "the table is the footer";
    EXPECT_TRUE(view->Table()[2].startsWith("5.0% Angular Width at  "));

    // Reset Graph asks, captioned with the window's title; No keeps the points.
    const int count = view->Model().Count();
    ASSERT_TRUE(frame.Execute(ID_TS_RESET_GRAPH));
    ASSERT_FALSE(prompt.messages.empty());
    EXPECT_EQ(prompt.messages.back().text, "The graph contains data that will be erased by this operation\n Erase ?");
    EXPECT_EQ(prompt.messages.back().caption, "Time Statistics for Angular Width - Lumora Inc.");
    EXPECT_EQ(prompt.messages.back().icon, PromptIcon::Stop);
    EXPECT_EQ(view->Model().Count(), count);
    prompt.answers.push_back(PromptAnswer::Yes);
    ASSERT_TRUE(frame.Execute(ID_TS_RESET_GRAPH));
    EXPECT_EQ(view->Model().Count(), 0);
    EXPECT_EQ(view->m_fXMax, 10.0f);

    // A single axis leaves one series.
    ASSERT_TRUE(frame.Execute(ID_SINGLE_AXIS));
    EXPECT_EQ(view->Model().SeriesCount(), 1);
    EXPECT_EQ(view->Chart()->DataSets().size(), 8u);
}

TEST_F(TimeStatStation, ManualCollectionTakesOnePointPerActivation) {
    CMainFrame& frame = StartSimulated();
    CTimeStatView* view = OpenTimeStats();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Model().SeriesCount(), 1) << "a single axis";
    const auto askFor = [&](const char* points) {
        WithDialog<CTimeTimDlg>([&] { frame.Execute(ID_TIMING); },
                                [&](CTimeTimDlg& dialog) {
                                    EXPECT_GT(Doc().PauseCount(), 0) << "acquisition waits for the dialog";
                                    dialog.findChild<QCheckBox*>(CTimeTimDlg::kManualName)->setChecked(true);
                                    dialog.findChild<QLineEdit*>(CTimeTimDlg::kPointsName)->setText(points);
                                    dialog.accept();
                                });
    };
    askFor("40000");
    ASSERT_FALSE(prompt.messages.empty());
    EXPECT_EQ(prompt.messages.back().text,
              "Too many points are being asked for\neither reduce acquisition rate\n or acquisition time");
    EXPECT_EQ(view->m_bManual, 0u) << "the settings stay";
    askFor("4");
    EXPECT_EQ(view->m_bManual, 1u);
    EXPECT_EQ(view->m_nRateUnit, 3);
    EXPECT_EQ(view->Model().Capacity(), 5) << "four points asked for, five given";
    EXPECT_EQ(Doc().PauseCount(), 0);

    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));
    for (int activation = 1; activation <= 5; ++activation) {
        if (activation > 1) {
            ASSERT_TRUE(frame.Execute(ID_DATA_COLLECTION));
        }
        ASSERT_TRUE(RunUntil([&] { return view->Model().Count() >= activation; })) << activation;
        Idle(40);
        EXPECT_EQ(view->Model().Count(), activation);
        EXPECT_FALSE(view->DataCollection());
    }
    prompt.messages.clear();
    ASSERT_TRUE(frame.Execute(ID_DATA_COLLECTION));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "To many points to fit in array\nPlease reset data arrays to continue");
    EXPECT_EQ(prompt.messages[0].caption, "Parameter error");
    EXPECT_FALSE(view->DataCollection());
}

TEST_F(TimeStatStation, AVariableTheModeCannotGiveAddsNothing) {
    CMainFrame& frame = StartSimulated();
    CTimeStatView* ratio = OpenTimeStats();
    CTimeStatView* width = OpenTimeStats();
    ASSERT_TRUE(ratio && width);
    ratio->m_nVariable = kAngleRatio;
    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));
    ASSERT_TRUE(RunUntil([&] { return width->Model().Count() >= 3; }));
    EXPECT_EQ(ratio->Model().Count(), 0) << "Angle Ratio needs perpendicular axes";
    EXPECT_TRUE(ratio->DataCollection());
}

TEST_F(TimeStatStation, SavedPointsComeBackAndAreErasedOnlyWithLeave) {
    CMainFrame& frame = StartSimulated();
    CTimeStatView* view = OpenTimeStats();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));
    ASSERT_TRUE(RunUntil([&] { return view->Model().Count() >= 4; }));
    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));
    Idle(20);
    std::vector<float> saved;
    for (int i = 0; i < view->Model().Count(); ++i) saved.push_back(static_cast<float>(view->Model().Value(0, i)));
    QTemporaryDir dir;
    const QString path = dir.filePath("t.vnq");
    ASSERT_TRUE(frame.File().SaveDataFile(path));

    ASSERT_TRUE(frame.OpenDocumentFile(path));
    CTimeStatView* back = Last();
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->Model().Count(), static_cast<int>(saved.size()));
    for (size_t i = 0; i < saved.size(); ++i) EXPECT_EQ(back->Model().Value(0, static_cast<int>(i)), saved[i]) << i;
    EXPECT_TRUE(back->IsResetPending());

    // The next start of collection asks; No keeps the loaded points and new ones follow them.
    prompt.messages.clear();
    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "The graph contains data that will be erased by this operation\n Erase ?");
    EXPECT_FALSE(back->IsResetPending());
    ASSERT_TRUE(RunUntil([&] { return back->Model().Count() > static_cast<int>(saved.size()); }));
    EXPECT_EQ(back->Model().Value(0, 0), saved[0]);
}

}  // namespace
}  // namespace velor::test

namespace velor::test {
namespace {

// Replay makes the data views start afresh: with points and samples collected it asks first,
// in the views' own words; No leaves the views and the mode as they were.
TEST_F(TimeStatStation, ReplayAsksBeforeItErasesCollectedPointsAndSamples) {
    CMainFrame& frame = StartSimulated();
    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_3D_DATA));
    ASSERT_EQ(Doc().m_b3DValid, 1);
    CTimeStatView* points = OpenTimeStats();
    auto* samples = static_cast<CBeamData*>(frame.OpenView(kBeamDataViewTag));
    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));
    ASSERT_TRUE(RunUntil([&] { return points->Model().Count() >= 3 && samples->m_nSamples >= 3; }));
    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));  // off
    const int pointCount = points->Model().Count();
    const uint32_t sampleCount = samples->m_nSamples;

    prompt.messages.clear();
    prompt.answers.push_back(PromptAnswer::No);
    ASSERT_TRUE(frame.Execute(ID_REPLAY_3D_DATA));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "The graph contains data that will be erased by this operation\n Erase ?");
    EXPECT_EQ(prompt.messages[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Stop);
    EXPECT_FALSE(Doc().IsReplayMode());
    EXPECT_EQ(points->Model().Count(), pointCount);
    EXPECT_EQ(samples->m_nSamples, sampleCount);

    prompt.answers.push_back(PromptAnswer::Yes);
    ASSERT_TRUE(frame.Execute(ID_REPLAY_3D_DATA));
    EXPECT_TRUE(Doc().IsReplayMode());
    EXPECT_EQ(points->Model().Count(), 0);
    EXPECT_LE(samples->m_nSamples, 1u) << "at most the replayed scan's own sample";
}

}  // namespace
}  // namespace velor::test
