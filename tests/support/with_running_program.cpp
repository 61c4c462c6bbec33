// For tests that find scripts through a bundle of their own: a running program
// is registered for the bundle to point into.
#include <gtest/gtest.h>

#include "platform/running_program.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    velmora::platform::RunningProgram program("");
    return RUN_ALL_TESTS();
}
