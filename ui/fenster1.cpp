// What the main window does: its opening, and the handlers of its buttons.
#include "ui/fenster1.h"

#include <QPointer>

#include "app/file_types.h"
#include "bridge/banking_scripts.h"
#include "bridge/zandor_messages.h"
#include "platform/dialogs.h"
#include "platform/event_loop.h"
#include "platform/guarded_call.h"
#include "platform/qt_text.h"
#include "ui/messages.h"
#include "ui/wbestaetigung.h"

namespace velmora {

namespace ui {

namespace {

bool fileExists(const std::filesystem::path& file)
{
    std::error_code ignored;
    return std::filesystem::exists(file, ignored);
}

}  // namespace

void Fenster1::Open()
{
    show();
    platform::GuardedCall("Kontenliste von Zandor abfragen", [this] { Event_Open(); });
}

void Fenster1::Event_Open()
{
    const std::string names = Kontennamenermitteln({});
    if (names.empty()) {
        platform::MsgBox(zandor_not_ready);
        platform::Quit(0);
        return;
    }
    for (const std::string& account : AccountNames(names)) {
        pop_konten()->addItem(platform::QText(account));
        platform::RuntimeBackgroundTask();
    }
    pop_konten()->setCurrentIndex(0);
}

void Fenster1::btn_quit_Action()
{
    platform::Quit(0);
}

void Fenster1::btn_datei_Action()
{
    f = platform::GetOpenFolderItem(FileTypes::special_any_name);
    if (!f)
        return;  // the label and the loaded lines stay as they were
    StaticText3()->setText(platform::DisplayPath(f->filename()));
    Laden();
}

void Fenster1::btn_save_Action()
{
    if (pop_konten()->currentText().isEmpty()) {
        platform::MsgBox(messages::no_account);
        return;
    }
    if (!f || !fileExists(*f)) {
        platform::MsgBox(messages::no_file);
        return;
    }
    // "Script ausgeführt" would be untrue when no script ran at all.
    if (buchung_erzeugen() == 0) {
        platform::MsgBox(NothingToSend(1));
        return;
    }
    velmora::wBestaetigung()->ShowModal();
}

void Fenster1::pop_konten_Change()
{
    // The account is read from the pop-up when sending; choosing one does nothing yet.
}

}  // namespace ui

ui::Fenster1* Fenster1()
{
    static QPointer<ui::Fenster1> open_window;
    if (!open_window) {
        open_window = new ui::Fenster1;
        open_window->Open();
    }
    return open_window;
}

}  // namespace velmora
