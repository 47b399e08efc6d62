// The power view in the program: opened with F9 on a sample measurement, following the
// reference power entered in its dialog, its commands and Parameters dialog marking the
// measurement changed, its settings in the data file and its section in the ASCII export.

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <functional>
#include <numbers>
#include <gtest/gtest.h>

#include "app/dialogs/PowerCalibDlg.h"
#include "document/HeadlessSession.h"
#include "document/simulation/SimulatedMeasurement.h"
#include "tests/app/shell/ShellFixture.h"
#include "tests/support/FarFieldPictures.h"
#include "tests/support/TestStation.h"
#include "tests/views/chart/ChartFixture.h"
#include "views/power/PowerParamDlg.h"
#include "views/power/PowerView.h"
#include "views/profile/ProfileSection.h"

namespace velor::test {
namespace {

class PowerViewShell : public Shell {
protected:
    // A measurement of a single-mode fiber, calibrated as a 3D run leaves it, opened in the
    // program with a power window laid out at 800 × 500.
    CPowerView* OpenSampleWithPowerView() {
        SimulationOptions options;
        options.scans3D = 20;
        WriteSimulatedMeasurement(Path("s.vnq"), *sim::MakeGaussianFiber(1310.0, 10.4), options);
        CMainFrame& frame = Start();
        EXPECT_TRUE(frame.OpenDocumentFile(Path("s.vnq")));
        EXPECT_TRUE(frame.State(ID_NEW_POWER).enabled);
        EXPECT_TRUE(frame.Execute(ID_NEW_POWER));
        auto* view = Find<CPowerView>();
        if (!view) return nullptr;
        view->Frame()->showNormal();
        view->Frame()->resize(view->Frame()->size() + QSize(800, 500) - view->size());
        Pump();
        view->Redraw();
        frame.ActiveDocument()->SetModifiedFlag(false);
        return view;
    }

    // Runs `open`, which shows a modal Dialog, hands it to `interact` and presses OK.
    template <typename Dialog>
    void AcceptDialog(const std::function<void()>& open, const std::function<void(Dialog&)>& interact) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
                seen = true;
                interact(*dialog);
                dialog->template findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            }
        });
        open();
        EXPECT_TRUE(seen) << "the dialog did not come up";
    }
};

TEST_F(PowerViewShell, ShowsTheConesOfASampleAndFollowsTheReferencePower) {
    CPowerView* view = OpenSampleWithPowerView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Frame()->windowTitle(), "Power - Lumora Inc.");
    ASSERT_EQ(view->Charts().size(), 1u);
    EXPECT_EQ(view->Charts()[0].All<DrawPolyline>().size(), 1u) << "the curve";
    EXPECT_FLOAT_EQ(view->Results().total, 1.0) << "calibrated to its own total at 1 mW";

    AcceptDialog<CPowerCalibDlg>([&] { app->MainFrame().Execute(ID_REFERENCE_POWER); },
                                 [](CPowerCalibDlg& dialog) {
                                     dialog.findChild<QLineEdit*>(CPowerCalibDlg::kPowerName)->setText("250");
                                 });
    EXPECT_NEAR(view->Results().total, 250.0, 1e-3) << "redrawn on the new units";
    EXPECT_TRUE(HasText(view->Charts()[0], "Power in cones around optical axis (mW)"));
    EXPECT_TRUE(HasText(view->Charts()[0], "250.000 "));
    // Half of a Gaussian beam's power lies within θ0 √(ln 2 / 2) of its axis.
    const double half = std::asin(1.31 / (std::numbers::pi * 5.2) * std::sqrt(std::log(2.0) / 2.0)) * 180.0 /
                        std::numbers::pi;
    EXPECT_NEAR(view->Results().percentAngle[1], half, 0.02 * half);
}

TEST_F(PowerViewShell, CommandsAndParametersChangeTheViewAndMarkTheMeasurement) {
    CPowerView* view = OpenSampleWithPowerView();
    ASSERT_NE(view, nullptr);
    CMainFrame& frame = app->MainFrame();
    EXPECT_TRUE(frame.State(ID_POWER_OPTICAL_AXIS).checked);
    EXPECT_FALSE(frame.State(ID_POWER_CENTROID).checked);
    const double aboutAxis = view->Results().conePower[0];

    ASSERT_TRUE(frame.Execute(ID_POWER_CENTROID));
    EXPECT_EQ(view->m_nAxisMode, 0u);
    EXPECT_TRUE(frame.State(ID_POWER_CENTROID).checked);
    EXPECT_FALSE(frame.State(ID_POWER_OPTICAL_AXIS).checked);
    EXPECT_TRUE(HasText(view->Charts()[0], "Power in cones around centroid (mW)"));
    EXPECT_NE(view->Results().conePower[0], aboutAxis);
    EXPECT_NEAR(view->Results().conePower[0], aboutAxis, 0.01) << "the beam points along the axis";
    EXPECT_TRUE(frame.ActiveDocument()->IsModified());

    frame.ActiveDocument()->SetModifiedFlag(false);
    frame.Execute(ID_POWER_CENTROID);
    EXPECT_FALSE(frame.ActiveDocument()->IsModified()) << "nothing changed";

    AcceptDialog<CPowerParamDlg>([&] { frame.Execute(ID_POWER_PARAMETERS); },
                                 [](CPowerParamDlg& dialog) {
                                     dialog.findChild<QCheckBox*>(CPowerParamDlg::kNABoxName)->setChecked(true);
                                     dialog.findChild<QLineEdit*>(CPowerParamDlg::kConeEditNames[0])->setText("0.5");
                                 });
    EXPECT_FLOAT_EQ(view->m_fConeAngle[0], 30.0f);
    EXPECT_EQ(view->m_bShowNA, 1u);
    EXPECT_TRUE(HasText(view->Charts()[0], "0.500NA"));
    EXPECT_TRUE(frame.ActiveDocument()->IsModified());
}

TEST_F(PowerViewShell, SettingsTravelInTheDataFileAndTheExportCarriesTheSection) {
    CPowerView* view = OpenSampleWithPowerView();
    ASSERT_NE(view, nullptr);
    CMainFrame& frame = app->MainFrame();
    view->m_nAxisMode = 0;
    view->m_fPercent[2] = 90.0f;
    view->m_crGrid = 0x00808080;
    prompt.fileChoices.push_back({Path("p"), 0});
    frame.Execute(ID_FILE_SAVE_AS);
    ASSERT_TRUE(frame.OpenDocumentFile(Path("p.vnq")));
    CPowerView* back = Find<CPowerView>();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Frame()->windowTitle(), "Power - Lumora Inc.");
    EXPECT_EQ(back->m_nAxisMode, 0u);
    EXPECT_EQ(back->m_fPercent[2], 90.0f);
    EXPECT_EQ(back->m_crGrid, 0x00808080u);

    prompt.fileChoices.push_back({Path("p"), 3});
    frame.Execute(ID_FILE_SAVE_AS);
    const QByteArray text = ReadAll(Path("p.asc"));
    EXPECT_TRUE(text.contains("\r\n3d-calculations view data:\r\n3D Centroid position\r\nTheta: "));
    const QByteArray total("\r\nPower computed about 3D Centroid axis\r\n\r\nTotal power: ");
    const qsizetype at = text.indexOf(total);
    ASSERT_GE(at, 0);
    // The centroid's own total, within a percent of the optical axis's that calibrated it.
    EXPECT_NEAR(text.mid(at + total.size(), 8).toDouble(), 1.0, 0.01);
    EXPECT_TRUE(text.contains("\r\nCone with 90.00 % total power: "));
    EXPECT_TRUE(prompt.Messages().empty());
}

}  // namespace
}  // namespace velor::test
