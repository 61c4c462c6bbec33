// Start-up and the boundary between the event loop and program code.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <array>

#include "app/file_types.h"
#include "platform/event_loop.h"
#include "platform/file_types.h"
#include "platform/guarded_call.h"
#include "tests/support/bounded_event_loop.h"
#include "tests/support/modal_dialogs.h"
#include "ui/control_builder.h"

namespace velmora::testing {
namespace {

TEST(Startup, RegistersExactlyTheOneFileTypeOfAnyFile)
{
    const auto& types = platform::AllFileTypes();
    ASSERT_EQ(types.size(), 1u);
    EXPECT_EQ(&types.front(), FileTypes::SpecialAny());
    EXPECT_EQ(types.front().Name, "special/any");
    // No name filter: the chooser offers every file.
    EXPECT_TRUE(platform::ChooserNameFilter("special/any").isEmpty());
}

TEST(Startup, QuitBeforeTheLoopEndsAtOnceWithStatusZero)
{
    platform::Quit(0);
    EXPECT_EQ(RunEventLoopAtMost(2000), 0);
}

// A window of its own whose only button throws, built by the same table loop.
class ThrowingWindow : public QWidget {
public:
    ThrowingWindow()
    {
        static const std::array<ui::ControlRow<ThrowingWindow>, 2> table{{
            {ui::ControlKind::PushButton, "fails", 10, 10, 80, 20, "Fehler", {}, 0, "", ui::TextAlignment::Left,
             false, {&ThrowingWindow::fail, "Testaktion"}},
            {ui::ControlKind::PushButton, "works", 100, 10, 80, 20, "Geht", {}, 1, "", ui::TextAlignment::Left,
             false, {&ThrowingWindow::work, "Zweite Aktion"}},
        }};
        ui::CreateControlsFromTable<ThrowingWindow>(this, this, table);
    }
    void fail() { throw std::runtime_error("Die Festplatte ist voll."); }
    void work() { ++worked; }
    int worked = 0;
};

TEST(Startup, ErrorInAHandlerIsReportedAndTheProgramGoesOn)
{
    ModalDialogs dialogs;
    ThrowingWindow window;
    window.show();
    QTest::mouseClick(window.findChild<QPushButton*>("fails"), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().front(), platform::ErrorReportText("Testaktion", "Die Festplatte ist voll."));
    EXPECT_TRUE(dialogs.messages().front().contains("Die Festplatte ist voll."));

    QTest::mouseClick(window.findChild<QPushButton*>("works"), Qt::LeftButton);
    EXPECT_EQ(window.worked, 1);
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace velmora::testing
