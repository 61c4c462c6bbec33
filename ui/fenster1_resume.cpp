// Remembering a send that did not complete, by the content of its lines, and
// the questions before the next send of them: go on after the bookings that
// went out, after or with the one in doubt, or send all again; and what
// changed since, which may make the bookings that went out impossible to
// tell apart from the rest.
#include <QCryptographicHash>

#include "platform/dialogs.h"
#include "platform/event_loop.h"
#include "platform/qt_text.h"
#include "ui/fenster1.h"
#include "ui/messages.h"

namespace velmora::ui {

// How many bookings to leave out at the start: those a send of the same
// lines that did not complete has sent already, if the user says so. Nothing
// when the user cancels.
std::optional<std::size_t> Fenster1::bookingsToLeaveOut(const SendSettings& settings, std::size_t total) const
{
    if (!stopped_send_ || (stopped_send_->sent == 0 && !stopped_send_->in_doubt))
        return 0;
    const StoppedSend& stopped = *stopped_send_;
    const std::string changes = changesSince(stopped.settings, settings);
    if (!changes.empty() && bookingLines(stopped.settings) != bookingLines(settings)) {
        const QString question = platform::QText(
            messages::UntellableQuestion(stopped.sent, stopped.total, stopped.settings.account, changes));
        return platform::Ask(question, {messages::send_all, messages::cancel}, 1, 1) == 0
                   ? std::optional<std::size_t>(0)
                   : std::nullopt;
    }
    if (stopped.in_doubt) {
        const QString question = platform::QText(
            messages::InDoubtQuestion(stopped.sent, total, stopped.settings.account, *stopped.in_doubt, changes));
        switch (platform::Ask(question, {messages::in_zandor, messages::not_in_zandor, messages::cancel}, 2, 2)) {
        case 0: return stopped.sent + 1;
        case 1: return stopped.sent;
        default: return std::nullopt;
        }
    }
    const QString question
        = platform::QText(messages::ResumeQuestion(stopped.sent, total, stopped.settings.account, changes));
    switch (platform::Ask(question, {messages::send_the_rest, messages::send_all, messages::cancel}, 0, 2)) {
    case 0: return stopped.sent;
    case 1: return 0;
    default: return std::nullopt;
    }
}

// "an »Sparbuch«, mit „Kategorien berücksichtigen“": what differs now; empty
// when nothing does.
std::string Fenster1::changesSince(const SendSettings& then, const SendSettings& now) const
{
    std::string changes;
    const auto add = [&changes](const std::string& change) { changes += (changes.empty() ? "" : ", ") + change; };
    if (now.account != then.account)
        add("an »" + now.account + "«");
    const std::array<QCheckBox*, 4> boxes = optionBoxes();
    for (std::size_t option = 0; option < boxes.size(); ++option)
        if (now.ticked[option] != then.ticked[option])
            add((now.ticked[option] ? "mit „" : "ohne „") + boxes[option]->text().toStdString() + "“");
    if (now.readable_only != then.readable_only)
        add(std::string(now.readable_only ? "„" : "nicht „") + std::string(messages::send_readable_only) + "“");
    return changes;
}

// Which records of the lines give bookings under these settings, in order:
// where two settings give the same, the n-th booking of one is the n-th of
// the other.
std::vector<std::int64_t> Fenster1::bookingLines(const SendSettings& settings) const
{
    std::vector<std::int64_t> lines;
    const import::RunContext run{
        settings.account,
        [&settings](import::Option o) { return settings.ticked[static_cast<std::size_t>(o)]; },
        [&](const import::BookingArguments&, const import::BookingPlace& place) {
            // "Nur lesbare senden" leaves a booking without a readable date or amount out.
            if (!(settings.readable_only && place.unreadable.any()))
                lines.push_back(place.line);
        },
        platform::RuntimeBackgroundTask};
    const platform::InputBlocker no_input_while_counting;
    import::buchung_erzeugen(zeilen, anz_zeilen, run);
    return lines;
}

// Lines of the same content give the same digest, whichever file they came
// from; a large file is digested while the window keeps painting.
QByteArray Fenster1::linesDigest() const
{
    const platform::InputBlocker no_input_while_digesting;
    QCryptographicHash digest(QCryptographicHash::Sha256);
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
        const std::string_view line = zeilen[i];
        digest.addData(QByteArrayView(line.data(), static_cast<qsizetype>(line.size())));
        digest.addData(QByteArrayView("\n", 1));
        platform::RuntimeBackgroundTask();
    }
    return digest.result();
}

}  // namespace velmora::ui
