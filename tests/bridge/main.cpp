// The bridge reaches the executable through the registered application object,
// so every test runs with one.
#include <gtest/gtest.h>

#include "platform/application.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    velmora::platform::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
