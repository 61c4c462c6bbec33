#pragma once
// Builds a window's controls from its table of declared data: creates each
// control, registers it under its name, applies its properties, sets the tab
// order and binds its event to the window's handler through the guarded call.
#include <QAbstractButton>
#include <QComboBox>
#include <QWidget>
#include <span>
#include <string>

#include "platform/guarded_call.h"
#include "platform/qt_text.h"
#include "ui/control_table.h"

namespace velmora::ui {

struct ControlProperties {
    ControlKind kind;
    std::string_view name;
    int left, top, width, height;
    std::string_view text;
    ControlFont font;
    std::string_view tooltip;
    TextAlignment alignment;
    bool is_default_button;
};

// Creates one control on `surface` with the given properties, named after it.
QWidget* CreateControl(QWidget* surface, const ControlProperties& properties);

// Chains keyboard focus through the controls in ascending tab index; controls
// that take no focus (labels) are left out.
void SetTabOrder(std::span<QWidget* const> controls_by_tab_index);

// The control registered under `name` on `surface`, checked to be of its kind.
template <class Control>
Control* FindControl(const QWidget* surface, std::string_view name)
{
    return surface->findChild<Control*>(platform::QText(name),
                                        Qt::FindDirectChildrenOnly);
}

template <class Window>
void BindHandler(QWidget* control, ControlKind kind, Window* window, const ControlHandler<Window>& handler)
{
    if (!handler.method)
        return;
    auto call = [window, handler] {
        platform::GuardedCall(handler.what, [&] { (window->*handler.method)(); });
    };
    if (kind == ControlKind::PopupMenu)
        QObject::connect(static_cast<QComboBox*>(control), &QComboBox::currentIndexChanged, window, call);
    else
        QObject::connect(static_cast<QAbstractButton*>(control), &QAbstractButton::clicked, window, call);
}

// The one loop that builds a window's controls from its table.
template <class Window>
void CreateControlsFromTable(Window* window, QWidget* surface, std::span<const ControlRow<Window>> table)
{
    std::vector<std::pair<int, QWidget*>> by_tab_index;
    for (const auto& row : table) {
        QWidget* control = CreateControl(surface, {row.kind, row.name, row.left, row.top, row.width, row.height,
                                                   row.text, row.font, row.tooltip, row.alignment,
                                                   row.is_default_button});
        BindHandler(control, row.kind, window, row.handler);
        by_tab_index.emplace_back(row.tab_index, control);
    }
    std::stable_sort(by_tab_index.begin(), by_tab_index.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QWidget*> ordered;
    for (const auto& [index, control] : by_tab_index)
        ordered.push_back(control);
    SetTabOrder(ordered);
}

}  // namespace velmora::ui
