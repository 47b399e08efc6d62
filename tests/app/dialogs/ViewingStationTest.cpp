// The Data Collection menu on a viewing station: acquisition disabled, the acquisition
// settings dialogs only showing their values, the calibration dialogs working.

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <map>

#include "app/dialogs/DistanceDlg.h"
#include "app/dialogs/IntegralParamDlg.h"
#include "app/dialogs/PhiAngleDlg.h"
#include "app/dialogs/PowerCalibDlg.h"
#include "app/dialogs/PulsedModeDlg.h"
#include "app/dialogs/Scans3DDlg.h"
#include "app/dialogs/SensitivityDlg.h"
#include "tests/app/dialogs/StationFixture.h"

namespace velor::test {
namespace {

QPushButton* OkButton(QDialog& dialog) {
    auto* box = dialog.findChild<QDialogButtonBox*>();
    return box ? box->button(QDialogButtonBox::Ok) : nullptr;
}

template <typename Dialog>
void ExpectOkDisabled(Station& station, CMainFrame& frame, int command) {
    bool okEnabled = true;
    station.WithDialog<Dialog>([&] { frame.Execute(command); },
                               [&](Dialog& dialog) { okEnabled = OkButton(dialog)->isEnabled(); });
    EXPECT_FALSE(okEnabled) << "command " << command;
}

using ViewingStation = Station;

TEST_F(ViewingStation, MenuListsEveryCommandAndAcquisitionIsDisabled) {
    CMainFrame& frame = StartViewer();
    QMenu* menu = nullptr;
    for (QAction* action : frame.menuBar()->actions()) {
        if (action->text() == QLatin1String("&Data Collection")) menu = action->menu();
    }
    ASSERT_NE(menu, nullptr);
    std::vector<int> ids;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) ids.push_back(action->data().toInt());
    }
    const std::vector<int> expected = {ID_ACQUIRE_SCAN_DATA,
                                       ID_ACQUIRE_3D_DATA,
                                       ID_3D_AZIMUTH_SCANS,
                                       ID_SENSITIVITY,
                                       ID_AUTO_GAIN,
                                       ID_SINGLE_AXIS,
                                       ID_PERPENDICULAR_AXES,
                                       ID_PHI_ANGLE,
                                       ID_APERTURE_SOURCE_DISTANCE,
                                       ID_PULSED_MODE,
                                       ID_REFERENCE_POWER,
                                       ID_INTEGRAL_PARAMETERS,
                                       ID_UNITS_RELATIVE,
                                       ID_UNITS_COUNTS,
                                       ID_UNITS_INTENSITY,
                                       ID_BLIND_SPOT_CORRECTION,
                                       ID_RECOMPUTE,
                                       ID_REPLAY_3D_DATA,
                                       ID_COMPUTED_CROSS_SECTIONS};
    EXPECT_EQ(ids, expected);
    std::map<int, QKeySequence> shortcuts;
    for (QAction* action : menu->actions()) shortcuts[action->data().toInt()] = action->shortcut();
    EXPECT_EQ(shortcuts[ID_ACQUIRE_SCAN_DATA], QKeySequence(QStringLiteral("Ctrl+G")));
    EXPECT_EQ(shortcuts[ID_AUTO_GAIN], QKeySequence(QStringLiteral("Ctrl+A")));

    for (const int id : {ID_ACQUIRE_SCAN_DATA, ID_AUTO_GAIN, ID_ACQUIRE_3D_DATA}) {
        EXPECT_FALSE(frame.State(id).enabled) << id;
        EXPECT_FALSE(frame.Execute(id)) << id;
    }
    EXPECT_FALSE(Doc().IsAcquiring());
    // The scan rate, a command without a menu entry, answers its key.
    QAction* scanRate = nullptr;
    for (QAction* action : frame.actions()) {
        if (action->shortcut() == QKeySequence(QStringLiteral("Ctrl+Shift+H"))) scanRate = action;
    }
    ASSERT_NE(scanRate, nullptr);
    scanRate->trigger();
    ASSERT_FALSE(prompt.messages.empty());
    EXPECT_EQ(prompt.messages.back().text, "0.0 Hz");
}

TEST_F(ViewingStation, AcquisitionSettingsDialogsOpenWithOkDisabled) {
    CMainFrame& frame = StartViewer();
    ExpectOkDisabled<CPhiAngleDlg>(*this, frame, ID_PHI_ANGLE);
    ExpectOkDisabled<CDistanceDlg>(*this, frame, ID_APERTURE_SOURCE_DISTANCE);
    ExpectOkDisabled<CPulsedModeDlg>(*this, frame, ID_PULSED_MODE);
    ExpectOkDisabled<CScans3DDlg>(*this, frame, ID_3D_AZIMUTH_SCANS);
    ExpectOkDisabled<CSensitivityDlg>(*this, frame, ID_SENSITIVITY);
    // They show the current values.
    WithDialog<CScans3DDlg>(
        [&] { frame.Execute(ID_3D_AZIMUTH_SCANS); },
        [](CScans3DDlg& dialog) {
            EXPECT_EQ(dialog.findChild<QComboBox*>(CScans3DDlg::kListName)->currentText(),
                      QString::fromUtf8(" 10    (18.0°)"));
            EXPECT_EQ(dialog.GetScans(), 10);
        });
}

TEST_F(ViewingStation, ReferencePowerAndIntegralParametersAcceptValues) {
    CMainFrame& frame = StartViewer();
    WithDialog<CPowerCalibDlg>(
        [&] { frame.Execute(ID_REFERENCE_POWER); },
        [&](CPowerCalibDlg& dialog) {
            auto* power = dialog.findChild<QLineEdit*>(CPowerCalibDlg::kPowerName);
            EXPECT_EQ(power->text(), "1");
            power->setText(QStringLiteral("0.5"));
            OkButton(dialog)->click();
            EXPECT_TRUE(dialog.isVisible()) << "below 1.0 is refused";
            EXPECT_EQ(prompt.messages.back().text, "Please enter a number between 1 and 1000.");
            power->setText(QStringLiteral("2.5"));
            dialog.findChild<QComboBox*>(CPowerCalibDlg::kUnitsName)->setCurrentIndex(0);
            OkButton(dialog)->click();
        });
    EXPECT_FLOAT_EQ(Doc().GetRefPower(), 2.5f);
    EXPECT_STREQ(Doc().GetRefUnits(), "\xB5W");

    const float fieldOfView = Doc().GetFieldOfView(0);
    WithDialog<CIntegralParamDlg>(
        [&] { frame.Execute(ID_INTEGRAL_PARAMETERS); },
        [&](CIntegralParamDlg& dialog) {
            auto* limit = dialog.findChild<QLineEdit*>(CIntegralParamDlg::kLimitName);
            EXPECT_EQ(limit->text(), "40");
            limit->setText(QString::number(fieldOfView + 1.0f));
            dialog.findChild<QLineEdit*>(CIntegralParamDlg::kWavelengthName)
                ->setText(QStringLiteral("1550"));
            OkButton(dialog)->click();
            EXPECT_TRUE(dialog.isVisible()) << "beyond the field of view is refused";
            limit->setText(QStringLiteral("30"));
            OkButton(dialog)->click();
        });
    EXPECT_FLOAT_EQ(Doc().GetWavelength(), 1550.0f);
    EXPECT_FLOAT_EQ(Doc().GetAngularLimit(), 30.0f);
}

}  // namespace
}  // namespace velor::test
