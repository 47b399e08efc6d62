// The program as the desktop sees it: its windows name the desktop file the package installs,
// and their icon is the program's picture at every size, not the toolkit's logo.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QImage>

#include "app/DesktopIdentity.h"

namespace velor::test {
namespace {

TEST(DesktopIdentity, WindowsNameTheInstalledLauncherAndShowTheProgramsIcon) {
    ApplyDesktopIdentity();
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral(VELOR_DESKTOP_DIR "/%1.desktop")
                                      .arg(QGuiApplication::desktopFileName())))
        << QGuiApplication::desktopFileName().toStdString();
    for (const int size : {16, 48, 256}) {
        const QImage icon = QApplication::windowIcon().pixmap(size).toImage();
        ASSERT_EQ(icon.size(), QSize(size, size));
        // The drawing's rounded square: a clear corner (but for smoothing), an opaque middle.
        EXPECT_LT(qAlpha(icon.pixel(0, 0)), 64) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 8)), 255) << size;
    }
}

}  // namespace
}  // namespace velor::test
