// The main window's side of an import: reading the chosen file into the line
// list, and sending the loaded lines as bookings through the booking script.
#include <array>
#include <string>

#include "bridge/banking_scripts.h"
#include "bridge/zandor_messages.h"
#include "import/file_reader.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/event_loop.h"
#include "platform/qt_text.h"
#include "ui/fenster1.h"

namespace velmora::ui {

namespace {

void reportFile(const std::filesystem::path& file, import::ReadStatus status)
{
    const QString shown = platform::DisplayPath(std::filesystem::absolute(file));
    platform::MsgBox(platform::QText(import::read_failure_message(status, shown.toStdString())));
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
    if (result.status != import::ReadStatus::read) {
        reportFile(*f, result.status);
        return;
    }
    zeilen = std::move(result.lines);
    anz_zeilen = zeilen.upper_bound();
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
        return import::buchung_erzeugen(zeilen, anz_zeilen, run).sent;
    } catch (const std::exception& error) {
        throw RuntimeException(SendingStopped(error.what(), sent));
    }
}

}  // namespace velmora::ui
