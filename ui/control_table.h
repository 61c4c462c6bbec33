#pragma once
// A window's controls declared as data: one row per control, in creation
// order, with everything needed to build it. One loop (control_builder.h)
// turns the rows into widgets.
#include <string_view>

namespace velmora::ui {

enum class ControlKind { PushButton, Label, CheckBox, PopupMenu, ProgressBar };

enum class TextAlignment { Left, Centre };

struct ControlFont {
    std::string_view family;  // empty: the platform's system font
    int size = 0;             // in points as the layout measures them; 0: the platform's default size
};

// A bound handler: the window's method and the German name of what it does,
// used when an error it raises is reported to the user.
template <class Window>
struct ControlHandler {
    void (Window::*method)() = nullptr;
    std::string_view what;
};

template <class Window>
struct ControlRow {
    ControlKind kind;
    std::string_view name;
    int left, top, width, height;
    std::string_view text;
    ControlFont font;
    int tab_index;
    std::string_view tooltip;
    TextAlignment alignment = TextAlignment::Left;
    bool is_default_button = false;  // pressed by Return
    ControlHandler<Window> handler = {};
};

}  // namespace velmora::ui
