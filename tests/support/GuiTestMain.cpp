// Test main for the GUI tests: a QApplication on the offscreen platform (unless a display was
// chosen), the OpenGL format the 3D views render with, the program's organisation and name,
// and settings kept away from the user's.

#include <QApplication>
#include <QStandardPaths>
#include <cstdlib>
#include <gtest/gtest.h>

#include "common/FileSizeSignal.h"
#include "views/view3d/SurfaceFormat.h"

int main(int argc, char** argv) {
    // As the program does: a file-size limit makes a save fail, not the process end.
    velor::IgnoreFileSizeSignal();
    // Test discovery runs this binary without the test environment.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QStandardPaths::setTestModeEnabled(true);
    velor::UseSurfaceFormatFor3dViews();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Lumora"));
    QApplication::setApplicationName(QStringLiteral("Orbiscan Viewer Tests"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
