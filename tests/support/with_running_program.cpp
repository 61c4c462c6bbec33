// For tests that find scripts through a bundle of their own: a running program
// is registered for the bundle to point into, and an application object's
// event loop waits for the scripts.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/running_program.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const QCoreApplication application(argc, argv);
    velmora::platform::RunningProgram program("");
    return RUN_ALL_TESTS();
}
