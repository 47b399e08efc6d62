// The Power Parameters dialog: edits follow their boxes, the numerical-aperture display
// converts and relabels the cone fields (and refuses to while a field is bad), OK returns
// degrees, bad values keep the dialog open.

#include <QCheckBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "tests/support/RecordingPrompt.h"
#include "views/power/PowerParamDlg.h"

namespace velor::test {
namespace {

class PowerParamDialog : public ::testing::Test {
protected:
    template <typename Widget>
    static Widget* Child(CPowerParamDlg& dlg, const char* name) {
        return dlg.findChild<Widget*>(QLatin1String(name));
    }
    static QLineEdit* Cone(CPowerParamDlg& dlg, int i) { return Child<QLineEdit>(dlg, CPowerParamDlg::kConeEditNames[i]); }
    static QCheckBox* NA(CPowerParamDlg& dlg) { return Child<QCheckBox>(dlg, CPowerParamDlg::kNABoxName); }
    RecordingPrompt prompt;
};

TEST_F(PowerParamDialog, EditsAreEnabledOnlyWhileTheirBoxIsChecked) {
    PowerParameters p;
    p.coneFlags = 5;
    p.percentFlags = 2;
    CPowerParamDlg dlg(p, prompt);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Cone(dlg, i)->isEnabled(), ((5 >> i) & 1) != 0) << i;
        EXPECT_EQ(Child<QLineEdit>(dlg, CPowerParamDlg::kPercentEditNames[i])->isEnabled(), i == 1) << i;
    }
    Child<QCheckBox>(dlg, CPowerParamDlg::kConeBoxNames[1])->setChecked(true);
    Child<QCheckBox>(dlg, CPowerParamDlg::kPercentBoxNames[1])->setChecked(false);
    EXPECT_TRUE(Cone(dlg, 1)->isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(dlg, CPowerParamDlg::kPercentEditNames[1])->isEnabled());
    dlg.accept();
    EXPECT_EQ(dlg.GetParameters().coneFlags, 7u);
    EXPECT_EQ(dlg.GetParameters().percentFlags, 0u);
}

TEST_F(PowerParamDialog, NumericalApertureDisplayConvertsAndRelabelsBothWays) {
    CPowerParamDlg dlg(PowerParameters{}, prompt);
    Cone(dlg, 0)->setText(QStringLiteral("30"));
    NA(dlg)->setChecked(true);
    EXPECT_EQ(Cone(dlg, 0)->text(), "0.5");
    EXPECT_EQ(Cone(dlg, 1)->text(), "0.173648") << "sin 10°";
    EXPECT_EQ(Child<QCheckBox>(dlg, CPowerParamDlg::kConeBoxNames[2])->text(), "Cone Angle (NA):");
    NA(dlg)->setChecked(false);
    EXPECT_EQ(Cone(dlg, 0)->text(), "30");
    EXPECT_EQ(Cone(dlg, 1)->text(), "10") << "a field left alone keeps its exact angle";
    EXPECT_EQ(Child<QCheckBox>(dlg, CPowerParamDlg::kConeBoxNames[0])->text(), QString::fromUtf8("Cone Angle (°):"));

    // Entered as an aperture, returned in degrees.
    NA(dlg)->setChecked(true);
    Cone(dlg, 2)->setText(QStringLiteral("0.5"));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const PowerParameters& p = dlg.GetParameters();
    EXPECT_TRUE(p.showNA);
    EXPECT_FLOAT_EQ(p.coneAngles[0], 30.0f);
    EXPECT_FLOAT_EQ(p.coneAngles[1], 10.0f);
    EXPECT_FLOAT_EQ(p.coneAngles[2], 30.0f);
    EXPECT_TRUE(prompt.Messages().empty());
}

TEST_F(PowerParamDialog, BadFieldsKeepTheDialogOpenAndTheDisplayAsItWas) {
    const struct {
        const char* what;
        bool na;
        const char* cone;
        const char* percent;
        const char* message;
    } cases[] = {
        {"cone beyond 90°", false, "91", "50", "Please enter a number between 0 and 90."},
        {"aperture beyond 1", true, "1.2", "50", "Please enter a number between 0 and 1."},
        {"share beyond 100 %", false, "10", "100.5", "Please enter a number between 0 and 100."},
        {"not a number", false, "ten", "50", "Please enter a number."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PowerParameters p;
        p.showNA = c.na;
        CPowerParamDlg dlg(p, prompt);
        Cone(dlg, 1)->setText(QLatin1String(c.cone));
        Child<QLineEdit>(dlg, CPowerParamDlg::kPercentEditNames[0])->setText(QLatin1String(c.percent));
        prompt.Clear();
        NA(dlg)->setChecked(!c.na);
        EXPECT_EQ(NA(dlg)->isChecked(), c.na) << "the box is set back";
        EXPECT_EQ(Cone(dlg, 1)->text(), QLatin1String(c.cone)) << "nothing converted";
        dlg.accept();
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(prompt.Texts(), QStringList({c.message, c.message}));
    }
}

}  // namespace
}  // namespace velor::test
