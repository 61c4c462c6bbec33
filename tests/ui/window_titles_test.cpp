// The titles as the window system receives them: started as the program
// starts, on a real X server, each window's name (_NET_WM_NAME) is exactly its
// declared title, with nothing appended.
#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>

#include "app/startup.h"
#include "bridge/banking_scripts.h"
#include "platform/process.h"
#include "tests/support/temporary_bundle.h"
#include "ui/fenster1.h"
#include "ui/wbestaetigung.h"

namespace velmora::testing {
namespace {

// What xdotool, a client of the X server, reads as the window's name.
std::string nameOnTheServer(const QWidget* window)
{
    const auto outcome = process::run("/usr/bin/xdotool", {"getwindowname", std::to_string(window->winId())});
    EXPECT_TRUE(outcome.exited_normally && outcome.exit_status == 0) << outcome.error_output;
    std::string name = outcome.standard_output;
    if (!name.empty() && name.back() == '\n')
        name.pop_back();
    return name;
}

TEST(WindowTitles, AreExactlyTheDeclaredOnes)
{
    const TemporaryBundle bundle;
    bundle.writePrintingScript(kKontennamenScript, "Girokonto");
    QPointer<ui::Fenster1> main_window = Fenster1();
    QPointer<ui::wBestaetigung> confirmation = wBestaetigung();
    confirmation->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main_window));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(confirmation));

    EXPECT_EQ(nameOnTheServer(main_window), "Velmora v1.16");
    EXPECT_EQ(nameOnTheServer(confirmation), "Bestätigung");
    delete confirmation;
    delete main_window;
}

}  // namespace
}  // namespace velmora::testing

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const auto application = velmora::EarlyStartup(argc, argv);
    return RUN_ALL_TESTS();
}
