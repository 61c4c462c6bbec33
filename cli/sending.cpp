#include "cli/sending.h"

#include "bridge/banking_scripts.h"
#include "bridge/zandor_messages.h"
#include "cli/import_command.h"
#include "cli/interruption.h"
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
std::string advice(bool recorded)
{
    if (!recorded)
        return "\nOhne Protokoll sendet derselbe Aufruf alles noch einmal.";
    return "\nDerselbe Aufruf noch einmal sendet genau die Buchungen, die nicht gesendet wurden.";
}

class Sender {
public:
    Sender(const record::RecordFile* record, std::string_view account, const Streams& streams, std::size_t total)
        : record_(record), account_(account), streams_(streams), progress_(streams, total)
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
            return stop(watch_.scriptEndReason(), exit_unclear_left);  // the booking stays "unterwegs"
        } catch (const RuntimeException& error) {
            return stop(std::string(error.what()) + noteFailure(booking), exit_script_failed);
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

    void note(record::SentState state, const OutgoingBooking& booking) const
    {
        if (record_ != nullptr)
            record_->append(record::RecordLine({record::TimeNow(), state, std::string(account_), booking.key, booking.texts}));
    }

    // A failure that cannot be noted leaves the booking "unterwegs": the next
    // run then calls it unclear, which is safe.
    std::string noteFailure(const OutgoingBooking& booking) const
    {
        try {
            note(record::SentState::fehlgeschlagen, booking);
            return {};
        } catch (const record::RecordFileError& error) {
            return "\n" + std::string(error.what());
        }
    }

    int stop(std::string_view reason, int status)
    {
        progress_.end();
        streams_.tell(SendingStopped(reason, sent_) + advice(record_ != nullptr) + "\n");
        return status;
    }

    const record::RecordFile* record_;
    std::string_view account_;
    const Streams& streams_;
    Progress progress_;
    InterruptionWatch watch_;
    std::size_t sent_ = 0;
};

}  // namespace

int SendBookings(const std::vector<OutgoingBooking>& bookings, const record::RecordFile* record, std::string_view account,
                 const Streams& streams)
{
    return Sender(record, account, streams, bookings.size()).send(bookings);
}

}  // namespace velmora::cli
