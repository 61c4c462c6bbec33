#pragma once
// Walking the line list, gathering each QIF record's fields and sending one
// booking of nine texts per transaction record.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "import/line_list.h"

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
// Sends one booking; throws when it could not. The arguments are only valid
// during the call.
using SendBooking = std::function<void(const BookingArguments&)>;

struct RunContext {
    std::string_view chosen_account;
    OptionView option;
    SendBooking send;
    std::function<void()> yield;  // called once per line; may be empty
};

// Treats the lines 0..last_index (at most the list's upper bound) and sends
// the records. An exception from `send` ends the run at that record and passes
// on unchanged. Returns the number of bookings sent.
//
// When `send` throws part-way, the bookings sent before it are exactly the
// calls of `send` that returned; a caller that must tell the user how many
// went out counts those returns in its own `send`:
//     std::size_t sent = 0;
//     run.send = [&](const BookingArguments& b) { book(b); ++sent; };
std::size_t buchung_erzeugen(const LineList& zeilen, std::int64_t last_index, const RunContext& run);

}  // namespace velmora::import
