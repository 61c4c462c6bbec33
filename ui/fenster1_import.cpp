// The main window's side of an import: reading the chosen file into the line
// list, and sending the loaded lines as bookings through the booking script.
#include <array>
#include <string>
#include <utility>

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

// Thrown out of the booking run when the user has asked to stop.
struct SendHalted {};

// Names the file whose lines stay, so that the next send surprises nobody.
void reportFile(const std::filesystem::path& file, import::ReadStatus status,
                const std::optional<std::filesystem::path>& kept)
{
    const QString shown = platform::DisplayPath(std::filesystem::absolute(file));
    QString message = platform::QText(import::read_failure_message(status, shown.toStdString()));
    if (kept)
        message += QStringLiteral("\n\nGewählt bleibt »%1«.").arg(platform::DisplayPath(kept->filename()));
    platform::MsgBox(message);
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
        reportFile(*f, result.status, loaded_file_);
        return;
    }
    zeilen = std::move(result.lines);
    anz_zeilen = zeilen.upper_bound();
    ++lines_loaded_;
    loaded_file_ = *f;
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

// The boxes are found once; each is still asked at the moment the booking
// run consults its option.
import::OptionView Fenster1::liveOptions() const
{
    return [boxes = optionBoxes()](import::Option option) {
        return boxes[static_cast<std::size_t>(option)]->isChecked();
    };
}

Fenster1::SendResult Fenster1::buchung_erzeugen(std::size_t already_sent, SendRun& run, bool readable_only)
{
    const std::string account = pop_konten()->currentText().toStdString();
    SendResult result;
    std::size_t met = 0;
    const import::RunContext booking_run{
        account,
        liveOptions(),
        [&](const import::BookingArguments& booking, const import::BookingPlace& place) {
            if (readable_only && place.unreadable.any())
                return;
            if (met++ < already_sent)
                return;
            if (!run.goOn())
                throw SendHalted{};
            try {
                buchungViaTessel(booking, run.scriptWaiter());
            } catch (const ScriptInDoubt&) {
                result.in_doubt = BookingInDoubt{booking, place.line};  // the texts live only during this call
                throw;
            }
            run.bookingSent();
        },
        platform::RuntimeBackgroundTask,
    };
    try {
        import::buchung_erzeugen(zeilen, anz_zeilen, booking_run);
    } catch (const SendHalted&) {
        result.end = SendResult::End::halted;
    } catch (const ScriptEnded&) {
        result.end = SendResult::End::script_ended;
    } catch (const std::exception& error) {
        result.end = SendResult::End::failed;
        result.reason = error.what();
    }
    result.sent = run.sentOfFile();
    return result;
}

}  // namespace velmora::ui
