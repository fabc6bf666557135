// The test program's start: one QApplication, set up as the program sets itself up.
#include "conversion/journal_store.h"
#include "window/application.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    // No display is needed, whatever the environment says.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // Journals of the runs under test go to a folder of the tests' own, never the user's.
    QTemporaryDir state;
    qputenv(conversion::JournalStore::kHomeVariable, state.path().toUtf8());
    setUpApplication(app);
    return RUN_ALL_TESTS();
}
