// How the main window looks: its properties, its controls as a table of
// declared data, and the accessors that find controls and menu items by name.
#include <QLayout>
#include <array>

#include "platform/qt_text.h"
#include "ui/control_builder.h"
#include "ui/fenster1.h"

namespace velmora::ui {

namespace {

constexpr int content_width = 467;
constexpr int content_height = 327;
constexpr int control_height = 20;
constexpr ControlFont system_12{"", 12};
constexpr ControlFont popup_default{"", 0};

constexpr std::string_view account_tooltip =
    "Hier kann das Konto aus der geöffneten Zandor-Kontenmappe ausgewählt werden, in das importiert werden soll.";

using Row = ControlRow<Fenster1>;
using K = ControlKind;

// In creation order, which is also the stacking order.
const std::array<Row, 11> controls{{
    {K::PushButton, "btn_quit", 378, 287, 69, control_height, "Beenden", system_12, 0, "", TextAlignment::Left,
     false, {&Fenster1::btn_quit_Action, "Beenden"}},
    {K::PushButton, "btn_save", 20, 163, 127, control_height, "An Zandor senden", system_12, 1, "",
     TextAlignment::Left, false, {&Fenster1::btn_save_Action, "An Zandor senden"}},
    {K::PushButton, "btn_datei", 20, 110, 127, control_height, "Datei auswählen", system_12, 2, "",
     TextAlignment::Left, false, {&Fenster1::btn_datei_Action, "Datei auswählen"}},
    {K::Label, "StaticText1", 20, 14, 353, control_height, "Import von Buchungen nach Zandor (ab Version 6.0.11)",
     system_12, 3, ""},
    {K::Label, "StaticText3", 159, 110, 212, control_height, "", system_12, 6, ""},
    {K::CheckBox, "mit_kat", 20, 227, 190, control_height, "Kategorien berücksichtigen", system_12, 7, ""},
    {K::CheckBox, "monat_tag", 231, 227, 151, control_height, "Monat/Tag tauschen", system_12, 9, ""},
    {K::CheckBox, "kat_konto", 20, 266, 256, control_height, "Kategorien als Gegenkonto behandeln", system_12, 11,
     ""},
    {K::PopupMenu, "pop_konten", 207, 46, 240, control_height, "", popup_default, 12, account_tooltip,
     TextAlignment::Left, false, {&Fenster1::pop_konten_Change, "Konto wählen"}},
    {K::Label, "StaticText2", 20, 47, 179, control_height, "Konto in Zandor Kontenmappe:", system_12, 13, ""},
    {K::CheckBox, "kat_gleich", 40, 286, 331, control_height, "Nicht importieren, wenn Kategorie=Gegenkonto",
     system_12, 14, ""},
}};

}  // namespace

Fenster1::Fenster1(QMenuBar* menu_bar)
{
    Layout(menu_bar);
    CreateControls();
}

void Fenster1::Layout(QMenuBar* menu_bar)
{
    setMenuBar(menu_bar);
    setWindowTitle(QStringLiteral("Velmora v1.16"));
    // Close and minimise only: no maximise, and a fixed size leaves no full screen.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::WindowMinimizeButtonHint);
    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("content"));
    content->setFixedSize(content_width, content_height);
    setCentralWidget(content);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Fenster1::CreateControls()
{
    CreateControls0();
    // Screen readers name the pop-up by its label, and Alt plus its letter would reach it.
    StaticText2()->setBuddy(pop_konten());
    // The first step has the focus, not "Beenden", which Space would press at once.
    btn_datei()->setFocus();
}

void Fenster1::CreateControls0()
{
    CreateControlsFromTable<Fenster1>(this, surface(), controls);
}

QWidget* Fenster1::surface() const
{
    return centralWidget();
}

QPushButton* Fenster1::btn_quit() const { return FindControl<QPushButton>(surface(), "btn_quit"); }
QPushButton* Fenster1::btn_save() const { return FindControl<QPushButton>(surface(), "btn_save"); }
QPushButton* Fenster1::btn_datei() const { return FindControl<QPushButton>(surface(), "btn_datei"); }
QLabel* Fenster1::StaticText1() const { return FindControl<QLabel>(surface(), "StaticText1"); }
QLabel* Fenster1::StaticText3() const { return FindControl<QLabel>(surface(), "StaticText3"); }
QCheckBox* Fenster1::mit_kat() const { return FindControl<QCheckBox>(surface(), "mit_kat"); }
QCheckBox* Fenster1::monat_tag() const { return FindControl<QCheckBox>(surface(), "monat_tag"); }
QCheckBox* Fenster1::kat_konto() const { return FindControl<QCheckBox>(surface(), "kat_konto"); }
QComboBox* Fenster1::pop_konten() const { return FindControl<QComboBox>(surface(), "pop_konten"); }
QLabel* Fenster1::StaticText2() const { return FindControl<QLabel>(surface(), "StaticText2"); }
QCheckBox* Fenster1::kat_gleich() const { return FindControl<QCheckBox>(surface(), "kat_gleich"); }

// menuWidget(), unlike menuBar(), makes no empty bar where there is none.
QAction* Fenster1::menuItem(std::string_view name) const
{
    const QWidget* bar = menuWidget();
    return bar ? bar->findChild<QAction*>(platform::QText(name)) : nullptr;
}

QAction* Fenster1::UntitledMenu4() const { return menuItem("UntitledMenu4"); }
QAction* Fenster1::UntitledMenu0() const { return menuItem("UntitledMenu0"); }
QAction* Fenster1::UntitledMenu5() const { return menuItem("UntitledMenu5"); }
QAction* Fenster1::UntitledMenu6() const { return menuItem("UntitledMenu6"); }
QAction* Fenster1::EditClear() const { return menuItem("EditClear"); }
QAction* Fenster1::EditPaste() const { return menuItem("EditPaste"); }
QAction* Fenster1::EditCopy() const { return menuItem("EditCopy"); }
QAction* Fenster1::EditCut() const { return menuItem("EditCut"); }
QAction* Fenster1::UntitledMenu1() const { return menuItem("UntitledMenu1"); }
QAction* Fenster1::EditUndo() const { return menuItem("EditUndo"); }
QAction* Fenster1::UntitledMenu2() const { return menuItem("UntitledMenu2"); }
QAction* Fenster1::UntitledMenu7() const { return menuItem("UntitledMenu7"); }
QAction* Fenster1::FileQuit() const { return menuItem("FileQuit"); }
QAction* Fenster1::UntitledMenu3() const { return menuItem("UntitledMenu3"); }

}  // namespace velmora::ui
