// Runs the window tests inside the program's own application object.
#include <gtest/gtest.h>

#include <QtGlobal>

#include "app/app.h"
#include "app/file_types.h"

int main(int argc, char** argv)
{
    // Window tests need no display: the off-screen platform draws into memory.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    velmora::FileTypes::Initialize();
    velmora::app::App application(argc, argv);
    // Qt's own file chooser, which the tests can answer, on every desktop.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    return RUN_ALL_TESTS();
}
