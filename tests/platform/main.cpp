// The window tests run without a screen: Qt's offscreen platform unless told
// otherwise.  On an X server the run names the server's process, and fails
// where the desktop wrapper's own Xvfb is not the server it talks to.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/platform/ServerDelDesktop.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!kenvaron::plat::ServerDelDesktop()) return 1;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
