// The menu bar as the user meets it on the main window: the menus and their
// items that show, in order, and Ctrl+Q (⌘Q on the Mac) ending the program
// with status 0.
#include <gtest/gtest.h>

#include <QMainWindow>
#include <QMenu>
#include <QTest>

#include "app/menu_bar.h"
#include "tests/support/bounded_event_loop.h"

namespace velmora::testing {
namespace {

// "Ablage: Beenden Ctrl+Q" for each menu that shows; "—" is a separator.
QStringList shownMenus(const QMenuBar& bar)
{
    QStringList menus;
    for (const QAction* menu : bar.actions()) {
        QStringList items;
        for (const QAction* item : menu->menu()->actions()) {
            if (item->isVisible())
                items << (item->isSeparator() ? "—" : (item->text() + " " + item->shortcut().toString()).trimmed());
        }
        if (menu->isVisible())
            menus << menu->text() + ": " + items.join(", ");
    }
    return menus;
}

TEST(MenuBar, ShowsAblageAndBearbeitenAndCtrlQQuitsWithStatusZero)
{
    QMainWindow window;
    window.setMenuBar(Menue());
    EXPECT_EQ(shownMenus(*window.menuBar()),
              (QStringList{"Ablage: Beenden Ctrl+Q",
                           "Bearbeiten: Undo Ctrl+Z, —, Ausschneiden Ctrl+X, Kopieren Ctrl+C, Einfügen Ctrl+V, Löschen"}));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTimer::singleShot(0, [&] { QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier); });
    EXPECT_EQ(RunEventLoopAtMost(5000), 0);
}

}  // namespace
}  // namespace velmora::testing
