// The titles as the window system receives them: started as the program
// starts, on a real X server, each window's name (_NET_WM_NAME) is exactly its
// declared title, with nothing appended.
#include <gtest/gtest.h>

#include <QTest>

#include "app/startup.h"
#include "platform/process.h"
#include "tests/support/temporary_bundle.h"
#include "ui/fenster1.h"
#include "ui/wbestaetigung.h"

namespace velmora::testing {
namespace {

std::string nameOnTheServer(QWidget* window)
{
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    return process::run("/usr/bin/xdotool", {"getwindowname", std::to_string(window->winId())}).standard_output;
}

TEST(WindowTitles, AreExactlyTheDeclaredOnes)
{
    const TemporaryBundle bundle;
    bundle.writePrintingScript("Kontennamen ermitteln.scpt", "Girokonto");
    wBestaetigung()->show();
    EXPECT_EQ(nameOnTheServer(Fenster1()), "Velmora v1.16\n");
    EXPECT_EQ(nameOnTheServer(wBestaetigung()), "Bestätigung\n");
}

}  // namespace
}  // namespace velmora::testing

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const auto application = velmora::EarlyStartup(argc, argv);
    const int status = RUN_ALL_TESTS();
    velmora::Finalise();
    return status;
}
