#include "cli/sending.h"

#include "bridge/banking_scripts.h"
#include "bridge/zandor_messages.h"
#include "cli/import_command.h"
#include "cli/interruption.h"
#include "cli/settling_advice.h"
#include "record/sent_record.h"

namespace velmora::cli {

namespace {

// "312 von 1.000 Buchungen gesendet", rewritten in place on a terminal.
class Progress {
public:
    Progress(const Streams& streams, std::size_t total) : streams_(streams), total_(total) {}
    ~Progress() { end(); }
    void show(std::size_t sent)
    {
        if (!streams_.err_is_terminal)
            return;
        // Back to the line's start; built piece by piece, as "\r" + a temporary
        // makes GCC 12's optimiser warn of an overlap that cannot happen.
        std::string line = "\r";
        line.append(ProgressText(sent, total_));
        streams_.tell(line);
        shown_ = true;
    }
    // Leaves the progress line, so that a message starts on a line of its own.
    void end()
    {
        if (shown_)
            streams_.tell("\n");
        shown_ = false;
    }

private:
    const Streams& streams_;
    const std::size_t total_;
    bool shown_ = false;
};

// What a stopped send ends with: what the same call will do next.
std::string advice(bool recorded, bool in_doubt)
{
    if (!recorded)
        return "\nOhne Protokoll sendet derselbe Aufruf alles noch einmal.";
    if (in_doubt)
        return "\nDerselbe Aufruf noch einmal sendet die Buchungen, die nicht gesendet wurden, diese eine aber erst "
               "nach --nicht-angekommen.";
    return "\nDerselbe Aufruf noch einmal sendet genau die Buchungen, die nicht gesendet wurden.";
}

class Sender {
public:
    Sender(const record::RecordFile* record, const Invocation& invocation, const Streams& streams, std::size_t total)
        : record_(record), invocation_(invocation), streams_(streams), progress_(streams, total)
    {
    }

    int send(const std::vector<OutgoingBooking>& bookings)
    {
        for (const OutgoingBooking& booking : bookings) {
            if (watch_.stopAsked())
                return stop(watch_.stopReason(), watch_.stopStatus());
            if (const int status = sendOne(booking); status != exit_done)
                return status;
        }
        progress_.end();
        streams_.out.buffer() += BookingsSent(sent_) + "\n";
        return exit_done;
    }

private:
    int sendOne(const OutgoingBooking& booking)
    {
        try {
            note(record::SentState::unterwegs, booking);
        } catch (const record::RecordFileError& error) {
            return stop(error.what(), exit_record_unwritten);
        }
        try {
            buchungViaTessel(booking.texts, watch_.scriptWaiter());
        } catch (const ScriptEnded&) {
            return leftInDoubt(booking, watch_.scriptEndReason());
        } catch (const ScriptInDoubt& error) {
            // At a shutdown the signal reaches the script as well as this program.
            return leftInDoubt(booking, watch_.stopAsked() ? watch_.stopReason() + " " + error.what() : error.what());
        } catch (const RuntimeException& error) {
            return stop(std::string(error.what()) + noteFailure(record::SentState::nicht_gestartet, booking),
                        exit_script_failed);
        }
        ++sent_;
        try {
            note(record::SentState::gesendet, booking);
        } catch (const record::RecordFileError& error) {
            return stop("Die letzte Buchung ist gesendet, aber nicht vermerkt: " + std::string(error.what()),
                        exit_record_unwritten);
        }
        progress_.show(sent_);
        return exit_done;
    }

    // The script started and did not end with status 0: the booking may stand
    // in Zandor or not, and only the user can look.
    int leftInDoubt(const OutgoingBooking& booking, const std::string& why)
    {
        const std::string file = invocation_.files[booking.file].string();
        std::string told = why + noteFailure(record::SentState::unklar, booking)
                           + "\n\nOb diese Buchung in Zandor angekommen ist, ist unklar:\n"
                           + BookingInDoubtLine(booking.texts, file, booking.line) + "\n";
        if (record_ != nullptr)
            told += SettlingCalls(invocation_, {file}, 1);
        else
            told += "Bitte dort nachsehen.";
        return stop(told, exit_unclear_left, true);
    }

    void note(record::SentState state, const OutgoingBooking& booking) const
    {
        if (record_ != nullptr)
            record_->append(record::RecordLine(
                {record::TimeNow(), state, invocation_.konto, booking.key, booking.texts}));
    }

    // A failure that cannot be noted leaves the booking "unterwegs": the next
    // run then calls it unclear, which is safe.
    std::string noteFailure(record::SentState state, const OutgoingBooking& booking) const
    {
        try {
            note(state, booking);
            return {};
        } catch (const record::RecordFileError& error) {
            return "\n" + std::string(error.what());
        }
    }

    int stop(std::string_view reason, int status, bool in_doubt = false)
    {
        progress_.end();
        streams_.tell(SendingStopped(reason, sent_) + advice(record_ != nullptr, in_doubt) + "\n");
        return status;
    }

    const record::RecordFile* record_;
    const Invocation& invocation_;
    const Streams& streams_;
    Progress progress_;
    InterruptionWatch watch_;
    std::size_t sent_ = 0;
};

}  // namespace

int SendBookings(const std::vector<OutgoingBooking>& bookings, const record::RecordFile* record,
                 const Invocation& invocation, const Streams& streams)
{
    return Sender(record, invocation, streams, bookings.size()).send(bookings);
}

}  // namespace velmora::cli
