#include "ui/wfortschritt.h"

#include <QCloseEvent>
#include <array>
#include <climits>

#include "bridge/zandor_messages.h"
#include "platform/qt_text.h"
#include "ui/control_builder.h"

namespace velmora::ui {

namespace {

constexpr int content_width = 400;
constexpr int content_height = 118;
constexpr ControlFont system_12{"", 12};

using Row = ControlRow<wFortschritt>;
using K = ControlKind;

const std::array<Row, 4> controls{{
    {K::Label, "StaticText1", 20, 16, 360, 20, "", system_12, 0, ""},
    {K::ProgressBar, "pb_fortschritt", 20, 44, 360, 16, "", system_12, 1, ""},
    {K::PushButton, "pb_skript_beenden", 150, 80, 120, 22, "Skript beenden", system_12, 2, "", TextAlignment::Left,
     false, {&wFortschritt::pb_skript_beenden_Action, "Skript beenden"}},
    {K::PushButton, "pb_anhalten", 280, 80, 100, 22, "Anhalten", system_12, 3, "", TextAlignment::Left, true,
     {&wFortschritt::pb_anhalten_Action, "Anhalten"}},
}};

}  // namespace

wFortschritt::wFortschritt(QWidget* main_window, std::function<void()> on_stop, std::function<void()> on_end_script)
    : QDialog(main_window), on_stop_(std::move(on_stop)), on_end_script_(std::move(on_end_script))
{
    Layout();
    CreateControls();
    pb_skript_beenden()->hide();
}

// Not modal in Qt's sense: the send keeps the rest of the program from input
// itself, and still hears the main window's close box, which a modal dialog
// would swallow.
void wFortschritt::Layout()
{
    setWindowTitle(QStringLiteral("An Zandor senden"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(content_width, content_height);
}

void wFortschritt::CreateControls()
{
    CreateControls0();
}

void wFortschritt::CreateControls0()
{
    CreateControlsFromTable<wFortschritt>(this, this, controls);
}

QLabel* wFortschritt::StaticText1() const { return FindControl<QLabel>(this, "StaticText1"); }
QProgressBar* wFortschritt::pb_fortschritt() const { return FindControl<QProgressBar>(this, "pb_fortschritt"); }
QPushButton* wFortschritt::pb_anhalten() const { return FindControl<QPushButton>(this, "pb_anhalten"); }
QPushButton* wFortschritt::pb_skript_beenden() const { return FindControl<QPushButton>(this, "pb_skript_beenden"); }

void wFortschritt::showCount(std::size_t sent, std::size_t total)
{
    pb_fortschritt()->setMaximum(static_cast<int>(std::min<std::size_t>(total, INT_MAX)));
    pb_fortschritt()->setValue(static_cast<int>(std::min<std::size_t>(sent, INT_MAX)));
    if (pb_anhalten()->isEnabled())
        StaticText1()->setText(platform::QText(ProgressText(sent, total)));
}

void wFortschritt::showStopping()
{
    pb_anhalten()->setEnabled(false);
    StaticText1()->setText(QStringLiteral("Wird angehalten, sobald die laufende Buchung fertig ist …"));
}

void wFortschritt::offerEndingScript()
{
    StaticText1()->setText(QStringLiteral("Das Skript der laufenden Buchung ist noch nicht fertig."));
    pb_skript_beenden()->show();
}

void wFortschritt::pb_anhalten_Action()
{
    on_stop_();
}

void wFortschritt::pb_skript_beenden_Action()
{
    pb_skript_beenden()->setEnabled(false);
    StaticText1()->setText(QStringLiteral("Das Skript wird beendet …"));
    on_end_script_();
}

void wFortschritt::closeEvent(QCloseEvent* event)
{
    event->ignore();  // the window goes when the send has stopped
    on_stop_();
}

void wFortschritt::reject()
{
    on_stop_();
}

}  // namespace velmora::ui
