// The bridge finds its scripts from the executable's place at every call and
// raises NilObjectException when the way there is missing.
#include <gtest/gtest.h>

#include "bridge/banking_scripts.h"
#include "platform/application.h"
#include "platform/errors.h"
#include "temporary_bundle.h"

namespace velmora {
namespace {

using testing::TemporaryBundle;

TEST(BundleScript, EveryCallResolvesTheScriptAnew)
{
    const TemporaryBundle first("Erstes.app");
    first.writeScript(kKontennamenScript, "#!/bin/sh\necho Erstes\n");
    const TemporaryBundle second("Zweites.app");
    second.writeScript(kKontennamenScript, "#!/bin/sh\necho Zweites\n");

    first.enter();
    EXPECT_EQ(Kontennamenermitteln({}), "Erstes");
    second.enter();
    EXPECT_EQ(Kontennamenermitteln({}), "Zweites");
}

TEST(BundleScript, ScriptReplacedBetweenCallsIsTheOneRun)
{
    const TemporaryBundle bundle;
    bundle.writeScript(kKontennamenScript, "#!/bin/sh\necho alt\n");
    EXPECT_EQ(Kontennamenermitteln({}), "alt");
    bundle.writeScript(kKontennamenScript, "#!/bin/sh\necho neu\n");
    EXPECT_EQ(Kontennamenermitteln({}), "neu");
}

class MissingFolder : public ::testing::TestWithParam<const char*> {};

TEST_P(MissingFolder, RaisesNilObjectException)
{
    const TemporaryBundle bundle;  // restores the executable afterwards
    platform::Application::registered()->setExecutableFile(GetParam());

    EXPECT_THROW(Kontennamenermitteln({}), NilObjectException);
    EXPECT_THROW(buchungViaTessel({}), NilObjectException);
}

INSTANTIATE_TEST_SUITE_P(Bridge, MissingFolder, ::testing::Values("", "/Velmora", "Velmora", "MacOS/Velmora"),
                         [](const auto& row) {
                             std::string name = row.param;
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name.empty() ? std::string("NoExecutable") : "Executable_" + name;
                         });

}  // namespace
}  // namespace velmora
