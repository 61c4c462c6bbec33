#pragma once
// The program's one menu bar: "Ablage" with the quit item and "Bearbeiten"
// with the standard editing items. One shared instance serves the application
// and the main window.
//
// (The class is called Menue: an umlaut is no portable identifier.)
#include <QAction>
#include <QMenuBar>
#include <string_view>

namespace velmora {

namespace app {

enum class MenuItemKind { MenuItem, QuitMenuItem, AppleMenuItem };

class Menue : public QMenuBar {
    Q_OBJECT
public:
    Menue();

private:
    void Untitled0();
    void Untitled1();
    void Untitled2();
    void Untitled3();
    void BuildEntry(std::string_view top_level_name);
};

}  // namespace app

// The shared menu bar, created on first use.
app::Menue* Menue();

}  // namespace velmora
