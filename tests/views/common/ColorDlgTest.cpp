// COLORREF conversions and the Colors dialog with a scripted colour chooser.

#include <QPushButton>
#include <gtest/gtest.h>

#include "views/common/ColorDlg.h"

namespace velor {
namespace {

TEST(ColorRef, RedIsTheLowByteAndTheHighByteIsIgnored) {
    EXPECT_EQ(FromColorRef(0x00FF8040), QColor(0x40, 0x80, 0xFF));
    EXPECT_EQ(FromColorRef(0xAA0000FF), QColor(Qt::red));
    EXPECT_EQ(ToColorRef(QColor(0x40, 0x80, 0xFF)), 0x00FF8040u);
    EXPECT_EQ(ToColorRef(QColor(0x12, 0x34, 0x56, 0x10)), 0x00563412u) << "alpha dropped";
    for (uint32_t ref : {0x00000000u, 0x0000FF00u, 0x00FFFFFFu, 0x00123456u}) {
        EXPECT_EQ(ToColorRef(FromColorRef(ref)), ref);
    }
}

class ColorDialog : public ::testing::Test {
protected:
    CColor MakeDialog() {
        return CColor(0x00000000, 0x0000FF00, 0x000000FF, 0x00FFFFFF, nullptr,
                      [this](const QColor& initial, QWidget*) {
                          offered.push_back(initial);
                          return answer;
                      });
    }
    QPushButton* Swatch(CColor& dlg, CColor::Swatch swatch) {
        return dlg.findChild<QPushButton*>(QLatin1String(CColor::kSwatchNames[swatch]));
    }
    std::vector<QColor> offered;
    std::optional<QColor> answer;
};

TEST_F(ColorDialog, ChosenColourReplacesOnlyItsSwatch) {
    CColor dlg = MakeDialog();
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Colors"));
    EXPECT_EQ(Swatch(dlg, CColor::kText)->text(), QStringLiteral("Text color"));
    answer = QColor(0x10, 0x20, 0x30);
    Swatch(dlg, CColor::kGrid)->click();
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], QColor(Qt::red)) << "the chooser starts from the grid colour";
    EXPECT_EQ(dlg.GetGridColor(), 0x00302010u);
    EXPECT_EQ(dlg.GetBackgroundColor(), 0x00000000u);
    EXPECT_EQ(dlg.GetTextColor(), 0x0000FF00u);
    EXPECT_EQ(dlg.GetDataColor(), 0x00FFFFFFu);
    const QImage patch = Swatch(dlg, CColor::kGrid)->icon().pixmap(32, 16).toImage();
    EXPECT_EQ(patch.pixelColor(16, 8), QColor(0x10, 0x20, 0x30)) << "the swatch shows it";
}

TEST_F(ColorDialog, CancelledChooserKeepsTheColour) {
    CColor dlg = MakeDialog();
    Swatch(dlg, CColor::kData)->click();
    EXPECT_EQ(offered.size(), 1u);
    EXPECT_EQ(dlg.GetDataColor(), 0x00FFFFFFu);
}

}  // namespace
}  // namespace velor
