// The automation tests need an application object for QtDBus and QProcess. Nothing here needs
// the bus: test discovery runs this program at build time, where there is none.

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
