// What a view draws, and when: a minimised chart draws nothing until it shows again, and the
// command states are not read again after an acquisition tick that changed nothing.

#include <QKeyEvent>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

#include "document/HeadlessSession.h"
#include "app/GuiTimers.h"
#include "document/UpdateHints.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "tests/app/shell/ShellFixture.h"
#include "views/chart/ChartView.h"
#include "views/profile/ProfileSection.h"

namespace velor::test {
namespace {

QString WriteSample(const QString& path) {
    RecordingPrompt prompt;
    ViewTypeRegistry types;
    HeadlessSession session(prompt, types);
    CVelor32Doc* doc = session.NewDocument();
    SimulationOptions options;
    options.scans3D = 10;
    EXPECT_TRUE(SimulateMeasurement(*doc, *sim::MakeGaussianFiber(1310.0, 10.4), options));
    doc->AdoptView(std::make_unique<ProfileSection>());
    EXPECT_TRUE(session.File().SaveDataFile(path));
    return path;
}

class Redraw : public Shell {
protected:
    CChartView* OpenProfile() {
        CMainFrame& frame = Start();
        frame.show();
        EXPECT_TRUE(frame.OpenDocumentFile(WriteSample(Path("s.vnq"))));
        auto* view = qobject_cast<CChartView*>(frame.ViewFrames().at(0)->View());
        view->Frame()->showNormal();
        Pump();
        return view;
    }
    // Every point of the curves of the first chart.
    static std::vector<QPoint> CurvePoints(const CChartView& view) {
        std::vector<QPoint> points;
        for (const DrawPolyline& curve : view.Charts().at(0).All<DrawPolyline>()) {
            points.insert(points.end(), curve.points.begin(), curve.points.end());
        }
        return points;
    }
};

TEST_F(Redraw, AMinimisedChartDrawsWhenItShowsAgain) {
    CChartView* view = OpenProfile();
    ASSERT_NE(view, nullptr);
    CVelor32Doc* doc = app->MainFrame().ActiveDocument();
    const std::vector<QPoint> before = CurvePoints(*view);
    ASSERT_FALSE(before.empty());

    // The profile empties while the window is minimised: nothing is drawn of it yet.
    view->Frame()->showMinimized();
    Pump();
    std::fill(doc->GetProfileData(0), doc->GetProfileData(0) + doc->GetNumPoints(0), 0.0f);
    doc->UpdateAllViews(UM_MODECHANGED);
    EXPECT_EQ(CurvePoints(*view), before) << "the minimised chart kept its last drawing";

    // Shown again, it draws what the document holds now.
    view->Frame()->showNormal();
    Pump();
    EXPECT_NE(CurvePoints(*view), before);
}

// Idle passes after acquisition ticks alone read no command states; anything else that
// happened (here a key press) has them read once.
TEST_F(Redraw, CommandStatesAreReadWhenMoreThanTheTickHappened) {
    CChartView* view = OpenProfile();
    ASSERT_NE(view, nullptr);
    CMainFrame& frame = app->MainFrame();
    // Ticks as the acquisition timer posts them, each waking the waiting loop, which then goes
    // idle again.
    const auto ticks = [&frame](int count) {
        std::atomic<bool> done{false};
        std::thread poster([&] {
            for (int i = 0; i < count; ++i) {
                QCoreApplication::postEvent(&frame, new QEvent(static_cast<QEvent::Type>(GuiTimers::TickEventType())));
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            done = true;
            QCoreApplication::postEvent(&frame, new QEvent(static_cast<QEvent::Type>(GuiTimers::TickEventType())));
        });
        while (!done) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        poster.join();
        QApplication::processEvents();
    };
    ticks(1);
    const int before = frame.CommandStateRefreshes();
    ticks(20);
    EXPECT_EQ(frame.CommandStateRefreshes(), before) << "ticks alone";

    QKeyEvent press(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    ticks(20);
    EXPECT_EQ(frame.CommandStateRefreshes(), before + 1);
}

}  // namespace
}  // namespace velor::test
