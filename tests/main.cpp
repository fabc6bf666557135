// The test program's start: one QApplication, set up as the program sets itself up.
#include "window/application.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    // No display is needed, whatever the environment says.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    setUpApplication(app);
    return RUN_ALL_TESTS();
}
