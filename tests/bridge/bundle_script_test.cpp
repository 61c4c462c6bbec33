// The bridge finds its scripts from the executable's place and raises
// NilObjectException when the way there is missing.
#include <gtest/gtest.h>

#include "bridge/banking_scripts.h"
#include "platform/running_program.h"
#include "platform/errors.h"
#include "tests/support/temporary_bundle.h"

namespace velmora {
namespace {

TEST(BundleScript, MissingFolderOnTheWayRaisesNilObjectException)
{
    const testing::TemporaryBundle bundle;  // restores the executable afterwards
    for (const char* executable : {"", "/Velmora", "Velmora", "MacOS/Velmora"}) {
        platform::RunningProgram::registered()->setExecutableFile(executable);
        EXPECT_THROW(Kontennamenermitteln({}), NilObjectException) << executable;
        EXPECT_THROW(buchungViaTessel({}), NilObjectException) << executable;
    }
}

}  // namespace
}  // namespace velmora
