// The bridge finds its scripts from the running program's executable, so
// every test runs with one registered (each test points it into a bundle).
#include <gtest/gtest.h>

#include "platform/running_program.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    velmora::platform::RunningProgram program("");
    return RUN_ALL_TESTS();
}
