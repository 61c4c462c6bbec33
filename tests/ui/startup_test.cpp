// Start-up and the boundary between the event loop and program code.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <array>

#include "app/file_types.h"
#include "platform/file_types.h"
#include "tests/support/bounded_event_loop.h"
#include "tests/support/modal_dialogs.h"
#include "ui/control_builder.h"

namespace velmora::testing {
namespace {

TEST(Startup, RegistersOneFileTypeOfAnyFileAndQuitsBeforeTheLoopAtOnce)
{
    const auto& types = platform::AllFileTypes();
    ASSERT_EQ(types.size(), 1u);
    EXPECT_EQ(&types.front(), FileTypes::SpecialAny());
    EXPECT_EQ(types.front().Name, "special/any");
    EXPECT_TRUE(platform::ChooserNameFilter("special/any").isEmpty());  // no filter: every file
    platform::Quit(0);
    EXPECT_EQ(RunEventLoopAtMost(2000), 0);
}

// A window of its own whose first button throws, built by the same table loop.
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
    EXPECT_EQ(dialogs.messages(), QStringList{"„Testaktion“ ist fehlgeschlagen.\n\nDie Festplatte ist voll."});
    QTest::mouseClick(window.findChild<QPushButton*>("works"), Qt::LeftButton);
    EXPECT_EQ(window.worked, 1);
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace velmora::testing
