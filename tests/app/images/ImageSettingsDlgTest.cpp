#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

#include "app/images/ImageSettingsDlg.h"

namespace velor {
namespace {

struct Controls {
    QComboBox* format;
    QSlider* slider;
    QSpinBox* spin;
};

Controls Find(const CImageSettingsDlg& dialog) {
    return {dialog.findChild<QComboBox*>(CImageSettingsDlg::kFormatBoxName),
            dialog.findChild<QSlider*>(CImageSettingsDlg::kQualitySliderName),
            dialog.findChild<QSpinBox*>(CImageSettingsDlg::kQualitySpinName)};
}

bool HasLabel(const QWidget& parent, const QString& text) {
    for (const QLabel* label : parent.findChildren<QLabel*>()) {
        if (label->text() == text) return true;
    }
    return false;
}

TEST(ImageSettingsDlgTest, TextsAndRanges) {
    CImageSettingsDlg dialog(ImageType::Bmp, 100);
    const Controls c = Find(dialog);
    ASSERT_TRUE(c.format && c.slider && c.spin);
    EXPECT_EQ(dialog.windowTitle(), "Image Settings");
    const QStringList expected{"BMP Windows Bitmap", "JPEG File Interchange Format",
                               "GIF Graphics Interchange Format",
                               "TIFF Tagged Image File Format ",
                               "PNG Portable Network Graphics"};
    QStringList items;
    for (int i = 0; i < c.format->count(); ++i) items << c.format->itemText(i);
    EXPECT_EQ(items, expected);
    EXPECT_TRUE(HasLabel(dialog, "Image Format"));
    EXPECT_TRUE(HasLabel(dialog, "Smaller File (lower quality)"));
    EXPECT_TRUE(HasLabel(dialog, "Larger File (higher quality)"));
    const QGroupBox* group = dialog.findChild<QGroupBox*>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), "JPEG Compression");
    EXPECT_TRUE(group->isAncestorOf(c.slider));
    EXPECT_TRUE(group->isAncestorOf(c.spin));
    EXPECT_EQ(c.slider->minimum(), 1);
    EXPECT_EQ(c.slider->maximum(), 100);
    EXPECT_EQ(c.slider->tickInterval(), 10);
    EXPECT_NE(c.slider->tickPosition(), QSlider::NoTicks);
    EXPECT_EQ(c.spin->minimum(), 1);
    EXPECT_EQ(c.spin->maximum(), 100);
}

TEST(ImageSettingsDlgTest, StartsFromTheGivenTypeAndQuality) {
    for (int number = 0; number < kImageTypeCount; ++number) {
        const auto type = static_cast<ImageType>(number);
        CImageSettingsDlg dialog(type, 37 + number);
        const Controls c = Find(dialog);
        EXPECT_EQ(c.format->currentIndex(), number);
        EXPECT_EQ(c.slider->value(), 37 + number);
        EXPECT_EQ(c.spin->value(), 37 + number);
        EXPECT_EQ(dialog.GetImageType(), type);
        EXPECT_EQ(dialog.GetQuality(), 37 + number);
    }
}

TEST(ImageSettingsDlgTest, QualityOutsideTheRangeIsBroughtIn) {
    EXPECT_EQ(CImageSettingsDlg(ImageType::Jpeg, 0).GetQuality(), 1);
    EXPECT_EQ(CImageSettingsDlg(ImageType::Jpeg, 250).GetQuality(), 100);
}

TEST(ImageSettingsDlgTest, QualityControlsAreEnabledOnlyForJpeg) {
    for (int start = 0; start < kImageTypeCount; ++start) {
        CImageSettingsDlg dialog(static_cast<ImageType>(start), 50);
        const Controls c = Find(dialog);
        for (const int index : {start, 1, 0, 1, 2, 3, 1, 4}) {
            c.format->setCurrentIndex(index);
            const bool jpeg = index == static_cast<int>(ImageType::Jpeg);
            EXPECT_EQ(c.slider->isEnabled(), jpeg) << "from " << start << " at " << index;
            EXPECT_EQ(c.spin->isEnabled(), jpeg) << "from " << start << " at " << index;
        }
    }
}

TEST(ImageSettingsDlgTest, SliderAndSpinFollowEachOther) {
    CImageSettingsDlg dialog(ImageType::Jpeg, 100);
    const Controls c = Find(dialog);
    c.slider->setValue(20);
    EXPECT_EQ(c.spin->value(), 20);
    c.spin->setValue(83);
    EXPECT_EQ(c.slider->value(), 83);
    c.slider->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(c.spin->value(), c.slider->value());
    EXPECT_LT(c.spin->value(), 83);
    c.spin->stepUp();
    EXPECT_EQ(c.slider->value(), c.spin->value());
    EXPECT_EQ(dialog.GetQuality(), c.spin->value());
}

TEST(ImageSettingsDlgTest, ExecReturnsTheChoice) {
    CImageSettingsDlg dialog(ImageType::Bmp, 100);
    const Controls c = Find(dialog);
    QTimer::singleShot(0, &dialog, [&] {
        c.format->setCurrentIndex(static_cast<int>(ImageType::Jpeg));
        c.spin->setValue(42);
        dialog.accept();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.GetImageType(), ImageType::Jpeg);
    EXPECT_EQ(dialog.GetQuality(), 42);
}

}  // namespace
}  // namespace velor
