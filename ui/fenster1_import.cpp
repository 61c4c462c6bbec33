// The main window's side of an import: reading the chosen file into the line
// list, and sending the loaded lines as bookings through the booking script.
#include <array>
#include <string>

#include "bridge/banking_scripts.h"
#include "import/file_reader.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/event_loop.h"
#include "platform/qt_text.h"
#include "ui/fenster1.h"
#include "ui/messages.h"

namespace velmora::ui {

namespace {

void reportFile(const std::filesystem::path& file, std::string_view suffix)
{
    platform::MsgBox(platform::QText(messages::file_prefix) + platform::DisplayPath(std::filesystem::absolute(file))
                     + platform::QText(suffix));
}

QString bookingsSentText(std::size_t sent)
{
    return sent == 1 ? QStringLiteral("Bis dahin wurde 1 Buchung an Zandor gesendet.")
                     : QStringLiteral("Bis dahin wurden %1 Buchungen an Zandor gesendet.").arg(sent);
}

import::ReadResult readWithoutInput(const std::filesystem::path& file)
{
    // No click may start another load or a send while the lines are read.
    const platform::InputBlocker no_input_while_reading;
    return import::read_lines(file, platform::RuntimeBackgroundTaskAfterSlowPass);
}

}  // namespace

void Fenster1::Laden()
{
    import::ReadResult result = readWithoutInput(*f);
    switch (result.status) {
    case import::ReadStatus::missing:
        reportFile(*f, messages::file_missing_suffix);
        return;
    case import::ReadStatus::unreadable:
        reportFile(*f, messages::file_unreadable_suffix);
        return;
    case import::ReadStatus::read:
        zeilen = std::move(result.lines);
        anz_zeilen = zeilen.upper_bound();
        return;
    }
}

std::array<QCheckBox*, 4> Fenster1::optionBoxes() const
{
    std::array<QCheckBox*, 4> boxes{};
    boxes[static_cast<std::size_t>(import::Option::mit_kat)] = mit_kat();
    boxes[static_cast<std::size_t>(import::Option::monat_tag)] = monat_tag();
    boxes[static_cast<std::size_t>(import::Option::kat_konto)] = kat_konto();
    boxes[static_cast<std::size_t>(import::Option::kat_gleich)] = kat_gleich();
    return boxes;
}

std::size_t Fenster1::buchung_erzeugen()
{
    // The window keeps painting during the run but takes no clicks, so nothing
    // can replace the lines under the running parser.
    const platform::InputBlocker no_input_while_sending;
    const std::string account = pop_konten()->currentText().toStdString();
    // Found once; each box is still asked at the moment the run needs it.
    const std::array<QCheckBox*, 4> boxes = optionBoxes();
    std::size_t sent = 0;
    const import::RunContext run{
        account,
        [&boxes](import::Option option) { return boxes[static_cast<std::size_t>(option)]->isChecked(); },
        [&sent](const import::BookingArguments& booking) {
            buchungViaTessel(booking);
            ++sent;
            platform::RuntimeBackgroundTaskAfterSlowPass();
        },
        platform::RuntimeBackgroundTask,
    };
    try {
        return import::buchung_erzeugen(zeilen, anz_zeilen, run);
    } catch (const std::exception& error) {
        // Said plainly, so that sending again does not silently double what already arrived.
        throw RuntimeException(std::string(error.what()) + "\n\n" + bookingsSentText(sent).toStdString());
    }
}

}  // namespace velmora::ui
