// A station with the simulated instrument: live scans reaching a view, auto gain, the 3D
// acquisition behind its progress dialog with replay and cross sections after it, the
// Sensitivity dialog's live changes and the saturation notice.

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QTest>

#include "app/automation/DocumentAutomation.h"
#include "app/dialogs/AcquisitionProgressDlg.h"
#include "app/dialogs/BeamSenseDlg.h"
#include "app/dialogs/CrossSectionDlg.h"
#include "app/dialogs/ReplayDlg.h"
#include "app/dialogs/SensitivityDlg.h"
#include "tests/app/dialogs/StationFixture.h"
#include "views/framework/DormView.h"
#include "views/framework/ViewFrame.h"

namespace velor::test {
namespace {

constexpr uint16_t kCountingViewTag = 77;

// A view that asks for ten scans a second and counts those it gets.
class CountingView : public CDormView {
public:
    explicit CountingView(ViewHost& host) : CDormView(kCountingViewTag, host) {
        m_viewData.m_nUpdateRate = 10;
    }
    int scans = 0;

protected:
    void OnScanDone(int) override { ++scans; }
};

CAcquisitionProgressDlg* ProgressDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<CAcquisitionProgressDlg*>(widget);
            dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

using SimulatedStation = Station;

TEST_F(SimulatedStation, AcquireScanDataFeedsAnOpenView) {
    CMainFrame& frame = StartSimulated();
    EXPECT_TRUE(app->HasInstrument());
    EXPECT_TRUE(app->Motion().IsConnected());
    EXPECT_TRUE(Doc().HasInstrument());
    EXPECT_EQ(frame.StatusPaneText(3), "Detector: InGaAs");
    frame.RegisterViewType({kCountingViewTag, 1, {}, [](ViewHost& host) -> CDormView* {
                                return new CountingView(host);
                            }});
    auto* view = static_cast<CountingView*>(frame.OpenView(kCountingViewTag));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(frame.State(ID_ACQUIRE_3D_DATA).enabled);

    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));
    EXPECT_TRUE(frame.State(ID_ACQUIRE_SCAN_DATA).checked);
    EXPECT_FALSE(frame.State(ID_ACQUIRE_3D_DATA).enabled) << "not while acquiring";
    EXPECT_TRUE(RunUntil([&] { return view->scans >= 3; }));
    EXPECT_GT(Doc().GetPeakValue(0), 1000.0f);

    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));
    EXPECT_FALSE(Doc().IsAcquiring());
    const int scans = view->scans;
    RunUntil([] { return false; }, 30);
    EXPECT_EQ(view->scans, scans) << "no scans once acquisition is off";
}

TEST_F(SimulatedStation, ToolBarDataCollectionFollowsTheAcquisition) {
    CMainFrame& frame = StartSimulated();
    CDormView* view = frame.OpenView(kProfileViewTag);  // the new measurement's own view
    ASSERT_NE(view, nullptr);
    QAction* collect = nullptr;
    for (QAction* a : view->Frame()->CommandActions()) {
        if (a->data().toInt() == ID_DATA_COLLECTION) collect = a;
    }
    ASSERT_NE(collect, nullptr);
    EXPECT_FALSE(collect->isEnabled()) << "nothing to collect while acquisition is off";
    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));
    EXPECT_TRUE(collect->isEnabled());
    EXPECT_TRUE(collect->isChecked()) << "views follow acquisition switched on";
    collect->trigger();
    EXPECT_FALSE(collect->isChecked());
    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_SCAN_DATA));
    EXPECT_FALSE(collect->isEnabled());
}

TEST_F(SimulatedStation, AutoGainPutsThePeakInRange) {
    CMainFrame& frame = StartSimulated();
    ASSERT_TRUE(frame.Execute(ID_AUTO_GAIN));
    const int gain = Doc().GetSignalGain();
    EXPECT_GT(gain, 0);
    EXPECT_EQ(frame.StatusPaneText(2), QStringLiteral("Gain: %1 dB").arg(gain));
    // A fresh sweep at that gain peaks between 58000 and 65534 counts.
    Doc().CaptureNow();
    const float* raw = Doc().GetRawSweep(0);
    const float peak = *std::max_element(raw, raw + 4096);
    EXPECT_GE(peak, 58000.0f);
    EXPECT_LE(peak, 65534.0f);
}

TEST_F(SimulatedStation, Acquire3DThenReplayAndCrossSections) {
    CMainFrame& frame = StartSimulated();
    // What the progress window shows while the scans are taken.
    int barMaximum = -1;
    int barValueSeen = 0;
    QString cancelText;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (CAcquisitionProgressDlg* dialog = ProgressDialog()) {
            const auto* bar = dialog->findChild<QProgressBar*>(CAcquisitionProgressDlg::kBarName);
            barMaximum = bar->maximum();
            barValueSeen = std::max(barValueSeen, bar->value());
            cancelText =
                dialog->findChild<QPushButton*>(CAcquisitionProgressDlg::kCancelName)->text();
        }
    });
    watch.start();
    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_3D_DATA));
    watch.stop();
    EXPECT_EQ(barMaximum, 10);
    EXPECT_EQ(cancelText, "&Cancel Acquisition");
    EXPECT_GE(barValueSeen, 9) << "the bar moves as scans are taken";
    EXPECT_EQ(ProgressDialog(), nullptr);
    ASSERT_EQ(Doc().m_b3DValid, 1);
    for (int k = 0; k <= 10; ++k) {
        const float* scan = Doc().Get3DData() + k * 3241;
        EXPECT_GT(*std::max_element(scan, scan + 3241), 1000.0f) << "scan " << k;
    }

    ASSERT_TRUE(frame.Execute(ID_REPLAY_3D_DATA));
    auto* replay = qobject_cast<CReplayDlg*>(frame.DataDialogs().ModeDialog(DocumentMode::Replay));
    ASSERT_NE(replay, nullptr);
    EXPECT_TRUE(replay->isVisible());
    EXPECT_TRUE(frame.State(ID_REPLAY_3D_DATA).checked);
    EXPECT_EQ(frame.StatusPaneText(2), "3D Gain: 0 dB");
    auto* list = replay->findChild<QComboBox*>(CReplayDlg::kListName);
    ASSERT_EQ(list->count(), 10);
    EXPECT_EQ(list->itemText(0), "0.000");
    EXPECT_EQ(list->itemText(9), "162.000");
    list->setCurrentIndex(5);
    EXPECT_FLOAT_EQ(Doc().GetPhi(0, 0), 90.0f);

    // Entering cross sections leaves replay first.
    ASSERT_TRUE(frame.Execute(ID_COMPUTED_CROSS_SECTIONS));
    EXPECT_EQ(frame.DataDialogs().ModeDialog(DocumentMode::Replay), nullptr);
    EXPECT_FALSE(Doc().IsReplayMode());
    auto* cross = qobject_cast<CCrossSectionDlg*>(
        frame.DataDialogs().ModeDialog(DocumentMode::CrossSections));
    ASSERT_NE(cross, nullptr);
    const float phiAtNoOffset = Doc().GetPhi(0, 0);
    EXPECT_GT(Doc().GetPeakValue(0), 0.0f);
    cross->findChild<QLineEdit*>(CCrossSectionDlg::kOffsetName)->setText(QStringLiteral("45"));
    cross->findChild<QPushButton*>(CCrossSectionDlg::kDisplayName)->click();
    EXPECT_NEAR(std::abs(std::remainder(Doc().GetPhi(0, 0) - phiAtNoOffset, 180.0f)), 45.0f, 1.0f)
        << "the cut planes turn with the offset";
    EXPECT_GT(Doc().GetPeakValue(0), 0.0f);
    EXPECT_GT(Doc().GetPeakValue(1), 0.0f);

    cross->findChild<QLineEdit*>(CCrossSectionDlg::kOffsetName)->setText(QStringLiteral("91"));
    cross->findChild<QPushButton*>(CCrossSectionDlg::kDisplayName)->click();
    EXPECT_EQ(prompt.messages.back().text, "Please enter a number between -90 and 90.");

    cross->findChild<QPushButton*>(CCrossSectionDlg::kCloseName)->click();
    EXPECT_FALSE(Doc().IsCrossSectionMode());
    EXPECT_EQ(frame.DataDialogs().ModeDialog(DocumentMode::CrossSections), nullptr);
    EXPECT_EQ(Doc().GetNumPoints(0), 3241);
}

TEST_F(SimulatedStation, CancelDuring3DAcquisitionKeepsTheLastCompleteDataSet) {
    CMainFrame& frame = StartSimulated();
    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_3D_DATA));
    ASSERT_EQ(Doc().m_b3DValid, 1);
    const std::vector<float> complete(Doc().Get3DData(), Doc().Get3DData() + 11 * 3241);
    const std::vector<float> noise(Doc().GetScanNoise(), Doc().GetScanNoise() + 11);
    const float centroid = Doc().GetCentroidAngles()[0];

    beam->scale = 2.0;  // the cancelled run sees a different beam
    QTimer::singleShot(0, [] {
        if (CAcquisitionProgressDlg* dialog = ProgressDialog()) {
            dialog->findChild<QPushButton*>(CAcquisitionProgressDlg::kCancelName)->click();
        }
    });
    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_3D_DATA));
    EXPECT_EQ(ProgressDialog(), nullptr);
    EXPECT_EQ(Doc().m_b3DValid, 1);
    EXPECT_EQ(std::vector<float>(Doc().Get3DData(), Doc().Get3DData() + 11 * 3241), complete)
        << "only the cancelled run's scans go";
    EXPECT_EQ(std::vector<float>(Doc().GetScanNoise(), Doc().GetScanNoise() + 11), noise);
    EXPECT_EQ(Doc().GetCentroidAngles()[0], centroid);
    EXPECT_TRUE(frame.State(ID_REPLAY_3D_DATA).enabled);
    EXPECT_TRUE(frame.State(ID_COMPUTED_CROSS_SECTIONS).enabled);
}

TEST_F(SimulatedStation, AutomationDuringA3DRunIsRefusedAndExitWaitsForItsEnd) {
    if (!QDBusConnection::sessionBus().isConnected()) {
        GTEST_SKIP() << "no D-Bus session bus: run the tests inside dbus-run-session";
    }
    CMainFrame& frame = StartSimulated();
    frame.show();
    DocumentAutomation automation([&frame] { return frame.ActiveDocument(); });
    ASSERT_TRUE(RegisterOnSessionBus(automation)) << "is another program holding the name?";
    const QString clientName = QStringLiteral("3d-run-client");
    QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, clientName);
    const auto call = [&client](const QString& interface, const QString& member, const QVariantList& args) {
        QDBusMessage m = QDBusMessage::createMethodCall(QString::fromLatin1(kAutomationService),
                                                        QString::fromLatin1(kAutomationPath), interface, member);
        m.setArguments(args);
        return client.asyncCall(m);
    };
    const QString document = QString::fromLatin1(kAutomationInterface);

    // Once the progress window is up, a script sets a property, moves the stage, reads a value
    // and asks the program to exit; the calls arrive while the run holds the document.
    std::vector<QDBusPendingCall> calls;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!calls.empty() || !ProgressDialog()) return;
        calls.push_back(call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"),
                             {document, QStringLiteral("Wavelength"), QVariant::fromValue(QDBusVariant(900.0))}));
        calls.push_back(call(document, QStringLiteral("GoToPhiAngle"), {45.0}));
        calls.push_back(call(document, QStringLiteral("GetCurrentPhi"), {}));
        calls.push_back(call(document, QStringLiteral("Exit"), {}));
        QElapsedTimer waited;
        waited.start();
        const auto answered = [&] {
            return std::all_of(calls.begin(), calls.end(), [](const QDBusPendingCall& c) { return c.isFinished(); });
        };
        while (!answered() && waited.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    });
    watch.start();
    ASSERT_TRUE(frame.Execute(ID_ACQUIRE_3D_DATA));
    watch.stop();
    ASSERT_EQ(calls.size(), 4u);
    for (int i : {0, 1}) {
        ASSERT_TRUE(calls[i].isFinished());
        EXPECT_TRUE(calls[i].isError()) << i;
        EXPECT_EQ(calls[i].error().name(), QString::fromLatin1(kInstrumentBusyError)) << i;
    }
    EXPECT_FALSE(calls[2].isError()) << "reading is harmless";
    EXPECT_FALSE(calls[3].isError());
    EXPECT_EQ(Doc().GetWavelength(), 1310.0f);
    EXPECT_EQ(Doc().GetCurrentPhi(), 0.0f);
    EXPECT_EQ(Doc().m_b3DValid, 1) << "the run completed";

    // The exit follows the run, without a question.
    prompt.messages.clear();
    for (int i = 0; i < 100 && frame.isVisible(); ++i) QTest::qWait(20);
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(frame.ActiveDocument(), nullptr);
    EXPECT_TRUE(prompt.messages.empty());
    QDBusConnection::disconnectFromBus(clientName);
}

TEST_F(SimulatedStation, AutoGainOnABeamSaturatedAtEveryGainEndsAtGainZeroWithTheWarningUp) {
    for (const int startGain : {0, 20}) {
        SCOPED_TRACE(startGain);
        CMainFrame& frame = StartSimulated(90000.0);
        Doc().SetSignalGain(startGain);
        ASSERT_TRUE(frame.Execute(ID_AUTO_GAIN));
        EXPECT_EQ(Doc().GetSignalGain(), 0);
        EXPECT_TRUE(Doc().IsSaturated());
        ASSERT_NE(prompt.SaturationNotice(), nullptr);
        EXPECT_TRUE(prompt.SaturationNotice()->isVisible());
        EXPECT_EQ(Doc().RunAutoGain(), CVelor32Doc::kAutoGainSaturated) << "never reported as done";
        app.reset();
    }
}

TEST_F(SimulatedStation, SensitivityRefusesAnEvenFilterAndCancelRestores) {
    CMainFrame& frame = StartSimulated();
    WithDialog<CSensitivityDlg>(
        [&] { frame.Execute(ID_SENSITIVITY); },
        [&](CSensitivityDlg& dialog) {
            QApplication::setActiveWindow(&dialog);
            EXPECT_TRUE(
                dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled())
                << "a station with an instrument may keep the changes";
            auto* gain = dialog.findChild<QSpinBox*>(CSensitivityDlg::kGainName);
            auto* filter = dialog.findChild<QSpinBox*>(CSensitivityDlg::kFilterName);
            auto* averaging = dialog.findChild<QSpinBox*>(CSensitivityDlg::kAveragingName);
            ASSERT_NE(gain, nullptr) << "an InGaAs head offers its gain";
            EXPECT_EQ(gain->maximum(), 139);
            gain->setValue(40);
            EXPECT_EQ(Doc().GetSignalGain(), 40) << "changes take effect while the dialog is open";
            EXPECT_EQ(frame.StatusPaneText(2), "Gain: 40 dB");

            filter->setFocus();
            filter->setValue(4);
            EXPECT_EQ(Doc().GetFilter(), 4);
            const size_t before = prompt.messages.size();
            averaging->setFocus();
            Pump();
            ASSERT_EQ(prompt.messages.size(), before + 1) << "leaving an even filter is refused";
            EXPECT_EQ(QApplication::focusWidget(), filter);
            EXPECT_EQ(filter->findChild<QLineEdit*>()->selectedText(), "4");
            filter->setValue(5);
            filter->stepBy(1);
            EXPECT_EQ(filter->value(), 7) << "the arrows step through odd widths";

            averaging->setValue(8);
            EXPECT_EQ(Doc().GetAveraging(), 8);
            dialog.reject();
        });
    EXPECT_EQ(Doc().GetSignalGain(), 0);
    EXPECT_EQ(Doc().GetFilter(), 1);
    EXPECT_EQ(Doc().GetAveraging(), 1);
    EXPECT_EQ(frame.StatusPaneText(2), "Gain: 0 dB");
}

TEST_F(SimulatedStation, SaturatedSignalShowsBeamInformationUntilItDrops) {
    StartSimulated(90000.0);  // the first capture, as the document is created, saturates
    CBeamSenseDlg* notice = prompt.SaturationNotice();
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->windowTitle(), "Beam Information!");
    EXPECT_EQ(notice->Text(), "Signal is saturated!");

    beam->scale = 0.5;
    Doc().CaptureNow();
    EXPECT_EQ(prompt.SaturationNotice(), nullptr);
    EXPECT_FALSE(CBeamSenseDlg::StoredRect().isEmpty()) << "its place is kept as BEAM_SENSE";
}

TEST_F(SimulatedStation, MotionPortThatCannotOpenLeavesAViewer) {
    StationOptions station;
    station.motionPort = SerialSettings{};
    station.motionPort->portName = QStringLiteral("/nonexistent/ttyVELOR");
    CMainFrame& frame = Start(station);
    ASSERT_FALSE(prompt.messages.empty());
    EXPECT_TRUE(prompt.messages.front().text.startsWith(
        "The motion controller's serial port /nonexistent/ttyVELOR could not be opened:"));
    EXPECT_FALSE(app->HasInstrument());
    EXPECT_FALSE(app->Motion().IsConnected());
    frame.Execute(ID_FILE_NEW);
    EXPECT_FALSE(frame.State(ID_ACQUIRE_SCAN_DATA).enabled);
}

TEST_F(SimulatedStation, ABoardDeviceThatCannotOpenLeavesAViewer) {
    StationOptions station;
    station.comediBoard = 97;
    CMainFrame& frame = Start(station);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages.front().text,
              "The acquisition board's device /dev/comedi97 could not be opened:\n"
              "No such file or directory\n\nThe program runs as a viewing station.");
    EXPECT_FALSE(app->HasInstrument());
    frame.Execute(ID_FILE_NEW);
    EXPECT_FALSE(frame.State(ID_ACQUIRE_SCAN_DATA).enabled);
}

TEST_F(SimulatedStation, GainRangesFromTheCommandLineInTheSensitivityDialogAndTheStatusBar) {
    CMainFrame& frame = StartSimulated(2000.0, 3);
    EXPECT_EQ(Doc().GetGainRanges(), 3);
    EXPECT_FALSE(Doc().IsModified()) << "where the station starts is no change of the user's";
    EXPECT_EQ(Doc().GetAxisRanges(0), 3) << "the first sweep, through the board library, took three";
    EXPECT_EQ(frame.StatusPaneText(CMainFrame::kRangesPane), "Gain ranges: 3 (0-40 dB), sweep rate 1/3");
    WithDialog<CSensitivityDlg>(
        [&] { frame.Execute(ID_SENSITIVITY); },
        [&](CSensitivityDlg& dialog) {
            auto* ranges = dialog.findChild<QSpinBox*>(CSensitivityDlg::kGainRangesName);
            ASSERT_NE(ranges, nullptr);
            EXPECT_EQ(ranges->value(), 3);
            ranges->findChild<QLineEdit*>()->selectAll();
            QTest::keyClicks(ranges, "5");
            EXPECT_EQ(Doc().GetGainRanges(), 3) << "5 ranges cannot be typed";
            ranges->setValue(2);
            EXPECT_EQ(Doc().GetGainRanges(), 2) << "takes effect while the dialog is open";
            EXPECT_EQ(frame.StatusPaneText(CMainFrame::kRangesPane), "Gain ranges: 2 (0-20 dB), sweep rate 1/2");
            const auto* time = dialog.findChild<QLineEdit*>(CSensitivityDlg::kSingleTimeName);
            EXPECT_EQ(time->text(), "0.2 s") << "two sweeps at ten a second";
            dialog.reject();
        });
    EXPECT_EQ(Doc().GetGainRanges(), 3) << "Cancel keeps the previous setting";
    Doc().SetGainRanges(1);
    EXPECT_EQ(frame.StatusPaneText(CMainFrame::kRangesPane), "");
}

}  // namespace
}  // namespace velor::test
