// What the main window does: its opening, and the handlers of its buttons.
#include "ui/fenster1.h"

#include <utility>

#include "bridge/banking_scripts.h"
#include "bridge/zandor_messages.h"
#include "platform/dialogs.h"
#include "platform/event_loop.h"
#include "platform/file_types.h"
#include "platform/guarded_call.h"
#include "platform/qt_text.h"

namespace velmora {

namespace ui {

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
    std::optional<std::filesystem::path> chosen = platform::GetOpenFolderItem(platform::special_any_name);
    // A cancel keeps the earlier choice: the file the label names is the one sent.
    if (!chosen)
        return;
    f = std::move(chosen);
    showFileName(platform::DisplayPath(f->filename()));
    const std::uint64_t loads_before = lines_loaded_;
    Laden();
    if (lines_loaded_ != loads_before) {
        // A send that stopped is remembered as long as the lines are the same.
        if (stopped_send_ && stopped_send_->lines != linesDigest())
            stopped_send_.reset();
        return;
    }
    // A file that was not read keeps the earlier lines, so the file they came
    // from stays the chosen one: the label names what a send would send.
    f = loaded_file_;
    showFileName(loaded_file_ ? platform::DisplayPath(loaded_file_->filename()) : QString());
}

// A name too long for its label is shortened in the middle, where the
// beginning and the end, which tell files apart, stay whole; the label's
// tooltip and accessible name keep the whole name.
void Fenster1::showFileName(const QString& name)
{
    QLabel* label = StaticText3();
    label->setText(label->fontMetrics().elidedText(name, Qt::ElideMiddle, label->width()));
    label->setToolTip(name);
    label->setAccessibleName(name);
}

void Fenster1::pop_konten_Change()
{
    // The account is read from the pop-up when sending; choosing one does nothing yet.
}

}  // namespace ui

}  // namespace velmora
