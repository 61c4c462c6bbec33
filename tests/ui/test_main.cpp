// Runs the window tests inside the program's own application object, on the
// off-screen platform, with Qt's own file chooser, which the tests can answer.
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/file_types.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    velmora::FileTypes::Initialize();
    velmora::app::App application(argc, argv);
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    return RUN_ALL_TESTS();
}
