// The Zoom Angle dialog: grid preselection, the accepted values and the standard refusals.

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "tests/support/RecordingPrompt.h"
#include "views/common/ZoomAngleDlg.h"

namespace velor {
namespace {

class ZoomAngleDialog : public ::testing::Test {
protected:
    QLineEdit* Edit(CZoomAngleDlg& dlg, const char* name) {
        return dlg.findChild<QLineEdit*>(QLatin1String(name));
    }
    QComboBox* Grid(CZoomAngleDlg& dlg) {
        return dlg.findChild<QComboBox*>(QLatin1String(CZoomAngleDlg::kGridBoxName));
    }
    test::RecordingPrompt prompt;
};

TEST_F(ZoomAngleDialog, PreselectsTheGridAndFallsBackToTen) {
    const struct {
        int grid;
        const char* shown;
    } cases[] = {{1, "1"}, {2, "2"}, {5, "5"}, {10, "10"}, {3, "10"}, {0, "10"}, {20, "10"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grid);
        CZoomAngleDlg dlg(180.0f, 0.0f, c.grid, prompt);
        EXPECT_EQ(Grid(dlg)->currentText(), QString::fromLatin1(c.shown));
    }
}

TEST_F(ZoomAngleDialog, AcceptsValuesAtTheBoundsAndTheChosenGrid) {
    CZoomAngleDlg dlg(20.0f, 5.0f, 10, prompt);
    EXPECT_EQ(Edit(dlg, CZoomAngleDlg::kRangeEditName)->text(), QStringLiteral("20"));
    Edit(dlg, CZoomAngleDlg::kRangeEditName)->setText(QStringLiteral("180"));
    Edit(dlg, CZoomAngleDlg::kOffsetEditName)->setText(QStringLiteral(" -90.0"));
    Grid(dlg)->setCurrentText(QStringLiteral("5"));
    dlg.accept();
    EXPECT_TRUE(prompt.Messages().empty());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FLOAT_EQ(dlg.GetZoomRange(), 180.0f);
    EXPECT_FLOAT_EQ(dlg.GetZoomOffset(), -90.0f);
    EXPECT_EQ(dlg.GetZoomGrid(), 5);
}

TEST_F(ZoomAngleDialog, RefusesBadFieldsWithTheStandardMessageAndFocusesThem) {
    const struct {
        const char* range;
        const char* offset;
        const char* message;
        const char* focused;
    } cases[] = {
        {"180.5", "0", "Please enter a number between 0.1 and 180.", CZoomAngleDlg::kRangeEditName},
        {"0", "0", "Please enter a number between 0.1 and 180.", CZoomAngleDlg::kRangeEditName},
        {"20", "90.1", "Please enter a number between -90 and 90.",
         CZoomAngleDlg::kOffsetEditName},
        {"abc", "0", "Please enter a number.", CZoomAngleDlg::kRangeEditName},
        {"", "0", "Please enter a number.", CZoomAngleDlg::kRangeEditName},
        {"20", "nan", "Please enter a number.", CZoomAngleDlg::kOffsetEditName},
        {"20", "5x", "Please enter a number.", CZoomAngleDlg::kOffsetEditName},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.range) + " / " + c.offset);
        prompt.Clear();
        CZoomAngleDlg dlg(20.0f, 5.0f, 2, prompt);
        dlg.show();
        Edit(dlg, CZoomAngleDlg::kRangeEditName)->setText(QString::fromLatin1(c.range));
        Edit(dlg, CZoomAngleDlg::kOffsetEditName)->setText(QString::fromLatin1(c.offset));
        dlg.accept();
        EXPECT_TRUE(dlg.isVisible());
        ASSERT_EQ(prompt.Messages().size(), 1u);
        EXPECT_EQ(prompt.Last().text, QString::fromLatin1(c.message));
        EXPECT_TRUE(prompt.Last().caption.isEmpty()) << "the application's own caption";
        EXPECT_EQ(dlg.focusWidget(), Edit(dlg, c.focused));
        EXPECT_FLOAT_EQ(dlg.GetZoomRange(), 20.0f);
        EXPECT_FLOAT_EQ(dlg.GetZoomOffset(), 5.0f);
    }
}

}  // namespace
}  // namespace velor
