// Before an application object exists the bridge cannot know where it lives.
#include <gtest/gtest.h>

#include "bridge/banking_scripts.h"
#include "platform/errors.h"

namespace velmora {
namespace {

TEST(BridgeWithoutApplication, RaisesNilObjectException)
{
    EXPECT_THROW(Kontennamenermitteln({}), NilObjectException);
    EXPECT_THROW(buchungViaTessel({}), NilObjectException);
}

}  // namespace
}  // namespace velmora
