// The tests here find scripts through a bundle of their own, so a running
// program is registered for them to point into it.
#include <gtest/gtest.h>

#include "platform/running_program.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    velmora::platform::RunningProgram program("");
    return RUN_ALL_TESTS();
}
