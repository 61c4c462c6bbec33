#include "app/menu_bar.h"

#include <QMenu>
#include <QPointer>
#include <array>

#include "platform/event_loop.h"
#include "platform/qt_text.h"

namespace velmora {

namespace app {

namespace {

struct MenuRow {
    std::string_view parent;  // empty: a top-level entry of the bar
    std::string_view name;
    MenuItemKind kind;
    std::string_view text;
    std::string_view shortcut;  // "Cmd+<key>"; empty for none
    bool auto_enable;
    bool visible;
};

constexpr std::string_view separator_text = "-";

// The whole tree in screen order.
constexpr std::array<MenuRow, 14> menu_rows{{
    {"", "UntitledMenu3", MenuItemKind::MenuItem, "", "", false, true},
    {"", "UntitledMenu2", MenuItemKind::MenuItem, "Ablage", "", false, true},
    {"UntitledMenu2", "FileQuit", MenuItemKind::QuitMenuItem, "Beenden", "Cmd+Q", true, true},
    {"UntitledMenu2", "UntitledMenu7", MenuItemKind::MenuItem, "", "", false, true},
    {"", "UntitledMenu0", MenuItemKind::MenuItem, "Bearbeiten", "", false, true},
    {"UntitledMenu0", "EditUndo", MenuItemKind::MenuItem, "Undo", "Cmd+Z", false, true},
    {"UntitledMenu0", "UntitledMenu1", MenuItemKind::MenuItem, separator_text, "", false, true},
    {"UntitledMenu0", "EditCut", MenuItemKind::MenuItem, "Ausschneiden", "Cmd+X", false, true},
    {"UntitledMenu0", "EditCopy", MenuItemKind::MenuItem, "Kopieren", "Cmd+C", false, true},
    {"UntitledMenu0", "EditPaste", MenuItemKind::MenuItem, "Einfügen", "Cmd+V", false, true},
    {"UntitledMenu0", "EditClear", MenuItemKind::MenuItem, "Löschen", "", false, true},
    {"UntitledMenu0", "UntitledMenu6", MenuItemKind::MenuItem, "", "", false, true},
    {"UntitledMenu0", "UntitledMenu5", MenuItemKind::AppleMenuItem, "", "", false, true},
    {"", "UntitledMenu4", MenuItemKind::MenuItem, "", "", false, true},
}};

// "Cmd" is the command modifier; Qt spells it Ctrl and maps it to Cmd on macOS.
// Spelled out rather than QKeySequence::Quit, which is empty on some desktops.
QKeySequence shortcutFor(std::string_view declared)
{
    constexpr std::string_view command_prefix = "Cmd+";
    if (declared.starts_with(command_prefix))
        return QKeySequence(QStringLiteral("Ctrl+") + platform::QText(declared.substr(command_prefix.size())));
    return QKeySequence(platform::QText(declared));
}

// Only the quit item may move to where the platform keeps it (the application
// menu on macOS); every other item is pinned, so that no text heuristic moves it.
QAction::MenuRole roleFor(MenuItemKind kind)
{
    return kind == MenuItemKind::QuitMenuItem ? QAction::QuitRole : QAction::NoRole;
}

// Entries without text would show as empty, clickable slots; they are kept in
// the tree (and found by name) but hidden on every platform.
bool shownOnScreen(const MenuRow& row)
{
    return row.visible && !row.text.empty();
}

void applyRow(QAction* action, const MenuRow& row)
{
    action->setObjectName(platform::QText(row.name));
    action->setMenuRole(roleFor(row.kind));
    action->setVisible(shownOnScreen(row));
}

QAction* createItem(QMenu* parent, const MenuRow& row)
{
    auto* item = new QAction(parent);
    applyRow(item, row);
    if (row.text == separator_text) {
        item->setSeparator(true);
    } else {
        item->setText(platform::QText(row.text));
        item->setShortcut(shortcutFor(row.shortcut));
        item->setEnabled(row.auto_enable);
    }
    // The quit kind's built-in action: the runtime's quit with status 0.
    if (row.kind == MenuItemKind::QuitMenuItem)
        QObject::connect(item, &QAction::triggered, [] { platform::Quit(0); });
    parent->addAction(item);
    return item;
}

}  // namespace

Menue::Menue()
{
    Untitled0();
    Untitled1();
    Untitled2();
    Untitled3();
}

void Menue::Untitled0() { BuildEntry("UntitledMenu3"); }
void Menue::Untitled1() { BuildEntry("UntitledMenu2"); }
void Menue::Untitled2() { BuildEntry("UntitledMenu0"); }
void Menue::Untitled3() { BuildEntry("UntitledMenu4"); }

void Menue::BuildEntry(std::string_view top_level_name)
{
    for (const auto& row : menu_rows) {
        if (row.parent.empty() && row.name == top_level_name) {
            auto* menu = new QMenu(platform::QText(row.text), this);
            menu->setObjectName(platform::QText(row.name));
            applyRow(menu->menuAction(), row);
            addMenu(menu);
        } else if (row.parent == top_level_name) {
            auto* parent = findChild<QMenu*>(platform::QText(row.parent), Qt::FindDirectChildrenOnly);
            createItem(parent, row);
        }
    }
}

}  // namespace app

app::Menue* Menue()
{
    // Qt hands the bar to the window that shows it, and that window deletes it
    // with itself; the program has one main window, so this builds the bar once.
    static QPointer<app::Menue> shared;
    if (!shared)
        shared = new app::Menue;
    return shared;
}

}  // namespace velmora
