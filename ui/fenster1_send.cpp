// The send button: the checks before a send, the questions the user answers
// first (bookings without a date or an amount, bookings and records that
// never go out, dates whose day and month may be swapped, a send that did not
// complete: see fenster1_resume.cpp), the send itself, and what the user is
// told when it ends.
#include <cstdio>

#include "bridge/zandor_messages.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/event_loop.h"
#include "platform/qt_text.h"
#include "ui/fenster1.h"
#include "ui/messages.h"
#include "ui/wbestaetigung.h"

namespace velmora::ui {

namespace {

bool fileExists(const std::filesystem::path& file)
{
    std::error_code ignored;
    return std::filesystem::exists(file, ignored);
}

QStringList answers(std::initializer_list<std::string_view> texts)
{
    QStringList list;
    for (std::string_view text : texts)
        list << platform::QText(text);
    return list;
}

std::string halted(std::size_t sent, std::size_t total)
{
    return "Senden angehalten. " + messages::SentOfFile(sent, total);
}

}  // namespace

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
    // The same walk as the send's, without sending: how many bookings, which
    // of them lack a date or an amount or could not be received, which
    // records end without "^", and how the file orders day and month are
    // known before the first goes out.
    const import::RunReport planned = countBookings();
    const import::Concerns concerns
        = import::concerns_before_sending(planned, monat_tag()->isChecked(), messages::box_words);
    // "Script ausgeführt" would be untrue when no script ran at all.
    if (planned.sent == 0) {
        platform::MsgBox(NothingToSend(1, concerns.never_sent));
        return;
    }
    const SendChoice choice = answerToConcerns(concerns, planned);
    if (choice == SendChoice::nothing)
        return;
    SendSettings settings = currentSettings();
    settings.readable_only = choice == SendChoice::readable_only;
    const std::string left_out = import::bookings_left_out(planned, settings.readable_only);
    // The count of a send is what it sends.
    const std::size_t total = planned.sent - (settings.readable_only ? planned.sent_unreadable : 0);
    if (total == 0) {
        platform::MsgBox(messages::SentWithoutSome(0, left_out));
        return;
    }
    const std::optional<std::size_t> already_sent = bookingsToLeaveOut(settings, total);
    if (!already_sent)
        return;
    if (*already_sent == total) {
        stopped_send_.reset();
        platform::MsgBox(messages::all_sent);
        return;
    }
    send(settings, *already_sent, total, left_out);
}

Fenster1::SendSettings Fenster1::currentSettings() const
{
    SendSettings settings{pop_konten()->currentText().toStdString(), {}};
    const import::OptionView options = liveOptions();
    for (std::size_t option = 0; option < settings.ticked.size(); ++option)
        settings.ticked[option] = options(static_cast<import::Option>(option));
    return settings;
}

import::RunContext Fenster1::countingRun(const std::string& account) const
{
    return {account, liveOptions(), [](const import::BookingArguments&, const import::BookingPlace&) {},
            platform::RuntimeBackgroundTask};
}

import::RunReport Fenster1::countBookings() const
{
    const std::string account = pop_konten()->currentText().toStdString();
    const platform::InputBlocker no_input_while_counting;
    return import::buchung_erzeugen(zeilen, anz_zeilen, countingRun(account));
}

Fenster1::SendChoice Fenster1::answerToConcerns(const import::Concerns& concerns,
                                                 const import::RunReport& planned) const
{
    if (concerns.empty())
        return SendChoice::everything;
    // Leaving out the unreadable bookings sends less only where there are some.
    const bool offers_readable_only = planned.sent_unreadable > 0;
    const QString question = platform::QText(messages::QuestionBeforeSending(concerns, offers_readable_only));
    if (!offers_readable_only)
        return platform::Ask(question, answers({messages::send_anyway, messages::cancel}), 1, 1) == 0
                   ? SendChoice::everything
                   : SendChoice::nothing;
    const auto offered = answers({messages::send_anyway, messages::send_readable_only, messages::cancel});
    switch (platform::Ask(question, offered, 2, 2)) {
    case 0: return SendChoice::everything;
    case 1: return SendChoice::readable_only;
    default: return SendChoice::nothing;
    }
}

void Fenster1::send(const SendSettings& settings, std::size_t already_sent, std::size_t total,
                    const std::string& left_out)
{
    SendResult result;
    bool quit_requested = false;
    {
        SendRun run(this, already_sent, total, quitKeys());
        result = buchung_erzeugen(already_sent, run, settings.readable_only);
        quit_requested = run.quitRequested();
    }
    if (result.end == SendResult::End::completed)
        stopped_send_.reset();
    else
        stopped_send_ = StoppedSend{linesDigest(), settings, result.sent, total,
                                    result.in_doubt ? std::optional(result.in_doubt->texts) : std::nullopt};
    if (quit_requested) {
        // Told on the error output too, where someone who started the program from a terminal sees it.
        if (result.end != SendResult::End::completed)
            std::fprintf(stderr, "Velmora: %s\n", halted(result.sent, total).c_str());
        platform::Quit(0);
        return;
    }
    tellHowTheSendEnded(result, total, left_out);
}

void Fenster1::tellHowTheSendEnded(const SendResult& result, std::size_t total, const std::string& left_out) const
{
    switch (result.end) {
    case SendResult::End::completed:
        // The user who enters the rest by hand hears which they are.
        if (!left_out.empty())
            platform::MsgBox(messages::SentWithoutSome(result.sent, left_out));
        else
            velmora::wBestaetigung()->ShowModal();
        return;
    case SendResult::End::halted:
        platform::MsgBox(halted(result.sent, total));
        return;
    case SendResult::End::script_ended:
        platform::MsgBox(halted(result.sent, total) + "\n\n" + inDoubt(result, true));
        return;
    case SendResult::End::failed:
        // Reported at the handler's boundary, named after the button.
        throw RuntimeException(result.reason + "\n\n" + (result.in_doubt ? inDoubt(result, false) + "\n\n" : "")
                               + messages::SentOfFile(result.sent, total));
    }
}

std::string Fenster1::inDoubt(const SendResult& result, bool ended) const
{
    const std::string file = platform::DisplayPath(f->filename()).toStdString();
    return messages::BookingInDoubt(result.in_doubt->texts, file, result.in_doubt->line, ended);
}

QList<QKeySequence> Fenster1::quitKeys() const
{
    const QAction* quit_item = FileQuit();
    return quit_item ? QList<QKeySequence>{quit_item->shortcut()} : QList<QKeySequence>{};
}

}  // namespace velmora::ui
