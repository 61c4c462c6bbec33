// The menu bar as the user sees it, entry by entry, and its quit item.
#include <gtest/gtest.h>

#include <QMenu>

#include "app/menu_bar.h"
#include "tests/support/bounded_event_loop.h"

namespace velmora::testing {
namespace {

// One line per entry: name, text, shortcut, platform role and state.
std::string describe(const QAction* action)
{
    const char* role = action->menuRole() == QAction::QuitRole ? "quit" : action->menuRole() == QAction::NoRole ? "-" : "other";
    return (action->objectName() + "|" + action->text() + "|" + action->shortcut().toString()).toStdString() + "|"
           + role + (action->isSeparator() ? "|separator" : "") + (action->isEnabled() ? "|enabled" : "|disabled")
           + (action->isVisible() ? "|shown" : "|hidden");
}

TEST(MenuBar, HoldsTheFileAndEditMenusInOrderAndItsQuitItemQuitsWithStatusZero)
{
    // Entries without text are kept but hidden; only the quit item takes a platform role.
    const std::vector<std::string> expected{
        "UntitledMenu3|||-|disabled|hidden",        "UntitledMenu2|Ablage||-|enabled|shown",
        "FileQuit|Beenden|Ctrl+Q|quit|enabled|shown", "UntitledMenu7|||-|disabled|hidden",
        "UntitledMenu0|Bearbeiten||-|enabled|shown",  "EditUndo|Undo|Ctrl+Z|-|disabled|shown",
        "UntitledMenu1|||-|separator|enabled|shown",  "EditCut|Ausschneiden|Ctrl+X|-|disabled|shown",
        "EditCopy|Kopieren|Ctrl+C|-|disabled|shown",  "EditPaste|Einfügen|Ctrl+V|-|disabled|shown",
        "EditClear|Löschen||-|disabled|shown",        "UntitledMenu6|||-|disabled|hidden",
        "UntitledMenu5|||-|disabled|hidden",          "UntitledMenu4|||-|disabled|hidden",
    };
    const app::Menue bar;
    std::vector<std::string> entries;
    for (const QAction* top : bar.actions()) {
        entries.push_back(describe(top));
        for (const QAction* item : top->menu()->actions())
            entries.push_back(describe(item));
    }
    EXPECT_EQ(entries, expected);
    QTimer::singleShot(0, [&] { bar.Lookup("FileQuit")->trigger(); });
    EXPECT_EQ(RunEventLoopAtMost(5000), 0);
}

}  // namespace
}  // namespace velmora::testing
