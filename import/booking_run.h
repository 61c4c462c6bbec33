#pragma once
// Walking the line list, gathering each QIF record's fields and sending one
// booking of nine texts per transaction record.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "import/date_order.h"
#include "import/line_list.h"
#include "platform/argument_room.h"

namespace velmora::import {

// The four check boxes of the window.
enum class Option { mit_kat, monat_tag, kat_konto, kat_gleich };

// A live view of the options: asked at the moment an option is consulted,
// never copied at the start of a run. An empty view means every box is off.
using OptionView = std::function<bool(Option)>;

// The nine texts of one booking, in the order the booking script expects them:
// date, date, amount in hundredths, account the money leaves, account it goes
// to, category, payee, memo, and an empty text.
using BookingArguments = std::vector<std::string>;
// A line index for what no line of the file gave.
inline constexpr std::int64_t no_line = -1;
inline constexpr std::int64_t no_date_line = no_line;

// What of a booking could not be read from its record.
struct Unreadable {
    bool date = false;
    bool amount = false;

    bool any() const { return date || amount; }
};

// What the run knows of a booking besides its texts.
struct BookingPlace {
    // Where the booking's record begins (its first line that is not empty),
    // so that a booking can be named by its place in the file.
    std::int64_t line = no_line;
    Unreadable unreadable;
};

// Sends one booking; throws when it could not. The arguments are only valid
// during the call.
using SendBooking = std::function<void(const BookingArguments&, const BookingPlace&)>;

struct RunContext {
    std::string_view chosen_account;
    OptionView option;
    SendBooking send;
    std::function<void()> yield;  // called once per line; may be empty
    // How long the texts of a booking may be: one the booking script could
    // not receive is never sent.
    platform::ArgumentRoom argument_room = platform::ScriptArgumentRoom();
};

// What a run did with the records it met.
struct RunReport {
    std::size_t sent = 0;
    // Records that were not sent: own transfers left out by kat_gleich, and
    // the entries of list blocks (accounts, categories, prices...).
    std::size_t skipped = 0;
    // For each booking sent without a date, in order: the index of its D line
    // whose text was no date, or no_date_line when the record had none.
    std::vector<std::int64_t> undated;
    // For each booking sent whose (last) T line was no amount, in order: the
    // index of that line. A bare "T" and a record without one are not here.
    std::vector<std::int64_t> unreadable_amounts;
    // The bookings sent without a readable date or amount, each counted once.
    std::size_t sent_unreadable = 0;
    // For each booking not sent because one of its texts is longer than the
    // booking script could receive, in order: the index of the line that
    // gave the longest text (its "^" line when no line of the file did).
    std::vector<std::int64_t> too_long;
    // Records of transaction blocks that end without "^" with a D, T, P, M or
    // L line among their lines, and are therefore never sent: the index of
    // each one's first line, for those a header of another block cuts off,
    // and for the one the last line treated leaves open (no_line if none).
    std::vector<std::int64_t> unclosed_before_header;
    std::int64_t unclosed_at_end = no_line;
    // What the dates of the transaction records and the option lines above
    // them say about the order of day and month.
    DateEvidence dates;
};

// Treats the lines 0..last_index (at most the list's upper bound) and sends
// the records. An exception from `send` ends the run at that record and passes
// on unchanged.
//
// When `send` throws part-way, the bookings sent before it are exactly the
// calls of `send` that returned; a caller that must tell the user how many
// went out counts those returns in its own `send`:
//     std::size_t sent = 0;
//     run.send = [&](const BookingArguments& b, const BookingPlace&) { book(b); ++sent; };
RunReport buchung_erzeugen(const LineList& zeilen, std::int64_t last_index, const RunContext& run);

}  // namespace velmora::import
