// The menu bar as the user sees it, entry by entry.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QCoreApplication>
#include <QTimer>

#include "app/menu_bar.h"
#include "platform/event_loop.h"

namespace velmora::testing {
namespace {

struct Entry {
    QString name;
    QString text;
    QString shortcut;
    QAction::MenuRole role;
    bool separator;
    bool enabled;
    bool shown;
};

bool operator==(const Entry& a, const Entry& b)
{
    return a.name == b.name && a.text == b.text && a.shortcut == b.shortcut && a.role == b.role
           && a.separator == b.separator && a.enabled == b.enabled && a.shown == b.shown;
}

void PrintTo(const Entry& e, std::ostream* out)
{
    *out << e.name.toStdString() << " \"" << e.text.toStdString() << "\" [" << e.shortcut.toStdString()
         << "] role " << e.role << (e.separator ? " separator" : "") << (e.enabled ? " enabled" : " disabled")
         << (e.shown ? " shown" : " hidden");
}

Entry describe(const QAction* action)
{
    return {action->objectName(), action->text(), action->shortcut().toString(), action->menuRole(),
            action->isSeparator(), action->isEnabled(), action->isVisible()};
}

// Every entry of the bar in screen order, each menu followed by its items.
std::vector<Entry> walk(const QMenuBar& bar)
{
    std::vector<Entry> entries;
    for (const QAction* top : bar.actions()) {
        entries.push_back(describe(top));
        if (top->menu())
            for (const QAction* item : top->menu()->actions())
                entries.push_back(describe(item));
    }
    return entries;
}

TEST(MenuBar, HoldsTheFileAndEditMenusInOrder)
{
    const auto N = QAction::NoRole;
    // Entries without text are kept but hidden (Qt greys out a menu with no
    // items); only the quit item takes a platform role.
    const std::vector<Entry> expected{
        {"UntitledMenu3", "", "", N, false, false, false},
        {"UntitledMenu2", "Ablage", "", N, false, true, true},
        {"FileQuit", "Beenden", "Ctrl+Q", QAction::QuitRole, false, true, true},
        {"UntitledMenu7", "", "", N, false, false, false},
        {"UntitledMenu0", "Bearbeiten", "", N, false, true, true},
        {"EditUndo", "Undo", "Ctrl+Z", N, false, false, true},
        {"UntitledMenu1", "", "", N, true, true, true},
        {"EditCut", "Ausschneiden", "Ctrl+X", N, false, false, true},
        {"EditCopy", "Kopieren", "Ctrl+C", N, false, false, true},
        {"EditPaste", "Einfügen", "Ctrl+V", N, false, false, true},
        {"EditClear", "Löschen", "", N, false, false, true},
        {"UntitledMenu6", "", "", N, false, false, false},
        {"UntitledMenu5", "", "", N, false, false, false},
        {"UntitledMenu4", "", "", N, false, false, false},
    };
    const app::Menue bar;
    EXPECT_EQ(walk(bar), expected);
}

TEST(MenuBar, IsOneSharedInstance)
{
    EXPECT_EQ(Menue(), Menue());
}

TEST(MenuBar, QuitItemQuitsWithStatusZero)
{
    const app::Menue bar;
    QTimer::singleShot(0, [&] { bar.Lookup("FileQuit")->trigger(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(platform::RunEventLoop(), 0);
}

}  // namespace
}  // namespace velmora::testing
