#include "ui/wbestaetigung.h"

#include <QKeyEvent>
#include <QPointer>
#include <array>

#include "ui/control_builder.h"

namespace velmora {

namespace ui {

namespace {

constexpr int content_width = 302;
constexpr int content_height = 133;
constexpr int smallest_side = 64;
// Geneva may be missing; the system font of the same size stands in for it.
constexpr ControlFont geneva_16{"Geneva", 16};
constexpr ControlFont geneva_10{"Geneva", 10};

using Row = ControlRow<wBestaetigung>;

const std::array<Row, 2> controls{{
    {ControlKind::Label, "StaticText1", 60, 19, 182, 30, "Script ausgeführt", geneva_16, 0, "",
     TextAlignment::Centre},
    {ControlKind::PushButton, "pbOK", 116, 72, 69, 20, "OK", geneva_10, 1, "", TextAlignment::Left, true,
     {&wBestaetigung::pbOK_Action, "OK"}},
}};

}  // namespace

wBestaetigung::wBestaetigung()
{
    Layout();
    CreateControls();
}

void wBestaetigung::Layout()
{
    setWindowTitle(QStringLiteral("Bestätigung"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::WindowMinMaxButtonsHint);
    resize(content_width, content_height);
    setMinimumSize(smallest_side, smallest_side);
    setSizeGripEnabled(false);
    setAttribute(Qt::WA_DeleteOnClose);
}

void wBestaetigung::CreateControls()
{
    CreateControls0();
}

void wBestaetigung::CreateControls0()
{
    CreateControlsFromTable<wBestaetigung>(this, this, controls);
}

QLabel* wBestaetigung::StaticText1() const { return FindControl<QLabel>(this, "StaticText1"); }
QPushButton* wBestaetigung::pbOK() const { return FindControl<QPushButton>(this, "pbOK"); }

void wBestaetigung::ShowModal()
{
    setModal(true);
    exec();
}

void wBestaetigung::pbOK_Action()
{
    close();
}

void wBestaetigung::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace ui

ui::wBestaetigung* wBestaetigung()
{
    static QPointer<ui::wBestaetigung> open_dialog;
    if (!open_dialog)
        open_dialog = new ui::wBestaetigung;
    return open_dialog;
}

}  // namespace velmora
