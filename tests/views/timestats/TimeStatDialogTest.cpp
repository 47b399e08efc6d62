// The time statistics dialogs: Timing's checks and unit conversion, every Axes message, the
// Parameters choices and captions, and the Font dialog's preset.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "tests/support/RecordingPrompt.h"
#include "views/timestats/TSParam.h"
#include "views/timestats/TimeAxesDlg.h"
#include "views/timestats/TimeStatFontDlg.h"
#include "views/timestats/TimeTimDlg.h"

namespace velor::test {
namespace {

template <typename Widget>
Widget* Child(QWidget& dialog, const char* name) {
    Widget* widget = dialog.findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

const QString kTooMany =
    QStringLiteral("Too many points are being asked for\neither reduce acquisition rate\n or acquisition time");

TEST(TimeStatTimingDialog, ChecksRateNumberOfPointsAndMemory) {
    const struct {
        const char* rate;
        int rateUnit;
        const char* duration;
        int durationUnit;
        bool manual;
        const char* points;
        uint64_t memory;
        QString message;   // empty: accepted
        uint16_t rateUnitOut;
        int pointsOut;
    } cases[] = {
        {"11", 0, "100", 3, false, "5", 1u << 30, "Data Rate is Too High", 0, 0},
        {"600", 1, "100", 3, false, "5", 1u << 30, "", 1, 100},
        {"601", 1, "100", 3, false, "5", 1u << 30, "Data Rate is Too High", 0, 0},
        {"10", 0, "65535", 2, false, "5", 1u << 30, kTooMany + "\nMax allowed is 27 hours.", 0, 0},
        {"2", 0, "10", 1, false, "5", 1u << 30, "", 0, 1200},
        {"2", 0, "10", 1, false, "5", 9599, "Global memory not available", 0, 0},
        {"2", 0, "10", 1, false, "5", 9600, "", 0, 1200},
        {"99", 0, "10", 1, true, "4", 1u << 30, "", 3, 4},
        {"abc", 0, "10", 1, false, "5", 1u << 30, "Please enter an integer.", 0, 0},
        {"2", 0, "70000", 1, false, "5", 1u << 30, "Please enter an integer between 1 and 65535.", 0, 0},
        {"2", 0, "10", 1, true, "1000001", 1u << 30, "Please enter an integer between 1 and 1000000.", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " per " << c.rateUnit << ", " << c.duration << " in "
                                        << c.durationUnit << (c.manual ? ", manual" : ""));
        RecordingPrompt prompt;
        CTimeTimDlg dlg(TimingValues{}, 10, 2, prompt, nullptr, [&] { return c.memory; });
        Child<QComboBox>(dlg, CTimeTimDlg::kRateUnitName)->setCurrentIndex(c.rateUnit);
        Child<QComboBox>(dlg, CTimeTimDlg::kDurationUnitName)->setCurrentIndex(c.durationUnit);
        Child<QLineEdit>(dlg, CTimeTimDlg::kRateName)->setText(QLatin1String(c.rate));
        Child<QLineEdit>(dlg, CTimeTimDlg::kDurationName)->setText(QLatin1String(c.duration));
        Child<QCheckBox>(dlg, CTimeTimDlg::kManualName)->setChecked(c.manual);
        Child<QLineEdit>(dlg, CTimeTimDlg::kPointsName)->setText(QLatin1String(c.points));
        dlg.accept();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(prompt.Messages().empty()) << prompt.Texts().join("|").toStdString();
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
            EXPECT_EQ(dlg.GetValues().rateUnit, c.rateUnitOut);
            EXPECT_EQ(dlg.GetValues().points, c.pointsOut);
            EXPECT_EQ(dlg.GetValues().manual, c.manual);
        } else {
            ASSERT_EQ(prompt.Messages().size(), 1u);
            EXPECT_EQ(prompt.Last().text, c.message);
            EXPECT_NE(dlg.result(), QDialog::Accepted) << "the dialog stays open";
        }
    }
    RecordingPrompt prompt;
    CTimeTimDlg dlg({11, 0, 100, 3, false, 5}, 10, 2, prompt);
    dlg.accept();
    EXPECT_EQ(prompt.Last().caption, "Parameter error");
    EXPECT_EQ(prompt.Last().icon, PromptIcon::Exclamation);
}

TEST(TimeStatTimingDialog, ChangingTheDurationUnitKeepsItsNumberOfPoints) {
    RecordingPrompt prompt;
    CTimeTimDlg dlg({2, 0, 10, 1, false, 1200}, 10, 2, prompt);
    auto* unit = Child<QComboBox>(dlg, CTimeTimDlg::kDurationUnitName);
    auto* duration = Child<QLineEdit>(dlg, CTimeTimDlg::kDurationName);
    unit->setCurrentIndex(0);
    EXPECT_EQ(duration->text(), "600");
    unit->setCurrentIndex(3);
    EXPECT_EQ(duration->text(), "1200");
    unit->setCurrentIndex(2);
    EXPECT_EQ(duration->text(), "1") << "a sixth of an hour rounds to 0, raised to 1";
}

TEST(TimeStatAxesDialog, EveryRefusalIsToldAtOnce) {
    const QString tooMany = QStringLiteral(
        "You have requested too many points\nfor the X axis.  Either increase\nthe Min value or decrease the Max "
        "value.\nMax allowed is 100 points.\nTo increase this limit change the Duration field in the Options-Timing "
        "dialog.");
    const struct {
        const char* what;
        bool manual;
        int unit;
        bool autoX, autoY;
        const char *xMin, *xMax, *yMin, *yMax;
        QString message;
    } cases[] = {
        {"manual in seconds", true, 0, true, true, "0", "1", "0", "1",
         "The X axis must be points when data is collected manually"},
        {"beyond the capacity", false, 3, false, true, "1", "200", "0", "1",
         tooMany + "\nX Variable\nVariable is greater than maximum allowed\n XMaxVal < 100.0"},
        {"five points or fewer", false, 3, false, true, "10", "15", "0", "1",
         "X Variable\nThe Min//Max range is too small\nRange must be greater than 5 samples"},
        {"below zero", false, 3, false, true, "-2", "50", "0", "1",
         "X Variable\nVariable is less than minimum allowed\n XMinVal > 0.0"},
        {"Y upside down", false, 3, true, false, "1", "10", "5", "3",
         "Y Variable\nThe Min//Max range is too small" + QStringLiteral("fYMax must be > 5.000")},
        {"Y of no height", false, 3, true, false, "1", "10", "5", "5",
         "Y Variable\nThe Min//Max range is too small" + QStringLiteral("fYMax must be > 5.000")},
        {"Y beyond the width's limit", false, 3, true, false, "1", "10", "-1", "200",
         "Y Variable\nVariable is greater than maximum allowed\n YMaxVal <= 180.000\nY Variable\nVariable is less "
         "than minimum allowed\n YMinVal > 0.000"},
        {"good", false, 3, false, false, "2", "60", "1.5", "30", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingPrompt prompt;
        AxesValues values;
        values.autoX = c.autoX;
        values.autoY = c.autoY;
        CTimeAxesDlg dlg(values, {{10.0, 0}, 100, c.manual, 0.0, 180.0}, prompt);
        Child<QComboBox>(dlg, CTimeAxesDlg::kXUnitName)->setCurrentIndex(c.unit);
        Child<QLineEdit>(dlg, CTimeAxesDlg::kXMinName)->setText(QLatin1String(c.xMin));
        Child<QLineEdit>(dlg, CTimeAxesDlg::kXMaxName)->setText(QLatin1String(c.xMax));
        Child<QLineEdit>(dlg, CTimeAxesDlg::kYMinName)->setText(QLatin1String(c.yMin));
        Child<QLineEdit>(dlg, CTimeAxesDlg::kYMaxName)->setText(QLatin1String(c.yMax));
        dlg.accept();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(prompt.Messages().empty()) << prompt.Texts().join("|").toStdString();
            EXPECT_EQ(dlg.GetValues().xMax, 60.0f);
            EXPECT_EQ(dlg.GetValues().yMin, 1.5f);
            EXPECT_FALSE(dlg.GetValues().autoY);
        } else {
            ASSERT_EQ(prompt.Messages().size(), 1u);
            EXPECT_EQ(prompt.Last().text, c.message);
            EXPECT_EQ(prompt.Last().caption, "Parameter error");
            EXPECT_NE(dlg.result(), QDialog::Accepted);
        }
    }
}

TEST(TimeStatAxesDialog, AutoBoxesLockTheirFieldsAndTheUnitConvertsX) {
    RecordingPrompt prompt;
    AxesValues values;
    values.xMin = 10.0f;
    values.xMax = 100.0f;
    values.autoX = false;
    CTimeAxesDlg dlg(values, {{10.0, 0}, 1000, false, 0.0, 180.0}, prompt);
    EXPECT_FALSE(Child<QLineEdit>(dlg, CTimeAxesDlg::kYMinName)->isEnabledTo(&dlg));
    EXPECT_TRUE(Child<QLineEdit>(dlg, CTimeAxesDlg::kXMaxName)->isEnabledTo(&dlg));
    Child<QCheckBox>(dlg, CTimeAxesDlg::kAutoXName)->setChecked(true);
    EXPECT_FALSE(Child<QLineEdit>(dlg, CTimeAxesDlg::kXMaxName)->isEnabledTo(&dlg));
    Child<QComboBox>(dlg, CTimeAxesDlg::kXUnitName)->setCurrentIndex(0);
    EXPECT_EQ(Child<QLineEdit>(dlg, CTimeAxesDlg::kXMinName)->text(), "1.000");
    EXPECT_EQ(Child<QLineEdit>(dlg, CTimeAxesDlg::kXMaxName)->text(), "10.000");
    EXPECT_DOUBLE_EQ(dlg.AllowedXMax(), 100.0) << "1000 points at 10 a second";
}

TEST(TimeStatParametersDialog, ChoicesFollowTheVariableAndTheMeasurement) {
    RecordingPrompt prompt;
    ParameterValues values;
    values.clip = 200;
    values.axisSelection = 0;
    ParameterContext single{{false, true}, {12.5f, 102.5f}, 0, QStringLiteral("mW")};
    QColor chosen(0x10, 0x20, 0x30);
    CTSParam dlg(values, single, prompt, nullptr, [&](const QColor&, QWidget*) { return std::optional(chosen); });
    auto* variable = Child<QComboBox>(dlg, CTSParam::kVariableName);
    EXPECT_EQ(variable->findText("Angle Ratio"), -1) << "not with a single axis";
    EXPECT_EQ(variable->itemText(variable->findText("Mode-Field Diameter") + 1), "Second-Moment Width")
        << "the beam metrics follow the classic variables";
    EXPECT_FALSE(Child<QRadioButton>(dlg, CTSParam::kAxisNames[1])->isVisibleTo(&dlg));
    EXPECT_FALSE(Child<QPushButton>(dlg, CTSParam::kColourNames[1])->isVisibleTo(&dlg));
    // A stored level of no button shows as the user's.
    EXPECT_TRUE(Child<QRadioButton>(dlg, CTSParam::kLevelNames[3])->isChecked());
    EXPECT_EQ(Child<QLineEdit>(dlg, CTSParam::kUserValueName)->text(), "20.0");
    EXPECT_EQ(Child<QRadioButton>(dlg, CTSParam::kAxisNames[0])->text(),
              QString::fromUtf8("20.0% Angular Width at 12.5° (deg)"));

    Child<QRadioButton>(dlg, CTSParam::kLevelNames[1])->click();
    EXPECT_EQ(Child<QRadioButton>(dlg, CTSParam::kAxisNames[0])->text(),
              QString::fromUtf8("13.5% Angular Width at 12.5° (deg)"));
    Child<QPushButton>(dlg, CTSParam::kColourNames[0])->click();
    variable->setCurrentText("Amplitude");
    EXPECT_FALSE(Child<QRadioButton>(dlg, CTSParam::kLevelNames[0])->isVisibleTo(&dlg));
    EXPECT_EQ(Child<QRadioButton>(dlg, CTSParam::kLevelNames[2])->text(), "Peak");
    EXPECT_TRUE(Child<QRadioButton>(dlg, CTSParam::kLevelNames[2])->isChecked()) << "the stored peak";
    Child<QRadioButton>(dlg, CTSParam::kLevelNames[3])->click();
    Child<QLineEdit>(dlg, CTSParam::kUserValueName)->setText("-12.35");
    dlg.accept();
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    const ParameterValues& v = dlg.GetValues();
    EXPECT_EQ(v.variable, kAmplitude);
    EXPECT_EQ(v.amplitudeRef, 2);
    EXPECT_EQ(v.userAngle, -124) << "tenths, half away from zero";
    EXPECT_EQ(v.clip, 135);
    EXPECT_EQ(v.axisSelection, 0);
    EXPECT_EQ(v.colours[0], 0x00302010u);

    // A user level that is not a percentage keeps the dialog open.
    CTSParam bad(ParameterValues{}, single, prompt);
    Child<QRadioButton>(bad, CTSParam::kLevelNames[3])->click();
    Child<QLineEdit>(bad, CTSParam::kUserValueName)->setText("150");
    bad.accept();
    EXPECT_NE(bad.result(), QDialog::Accepted);
    EXPECT_EQ(prompt.Last().text, "Please enter a number between 0 and 100.");
}

TEST(TimeStatFontDialog, PresetFromTheRecordAndItsFontString) {
    EXPECT_EQ(ChartFontString({"Arial", 10, false}), "Arial,10,normal");
    const QFont font = FontFromString("DejaVu Sans,14,bold");
    EXPECT_EQ(font.family(), "DejaVu Sans");
    EXPECT_EQ(font.pointSize(), 14);
    EXPECT_TRUE(font.bold());
    CTimeStatFontDlg dlg({"DejaVu Sans", 14, true});
    const ChartFontChoice choice = dlg.Choice();
    EXPECT_EQ(choice.face, "DejaVu Sans");
    EXPECT_EQ(choice.size, 14);
    EXPECT_TRUE(choice.bold);
}

}  // namespace
}  // namespace velor::test
