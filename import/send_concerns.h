#pragma once
// What the user must hear before a send, part by part, in the words the
// window and velmora-import share: bookings that would go out without a
// readable date or amount, the forms of date Velmora reads, dates whose day
// and month "Monat/Tag tauschen" may take the wrong way round, and what never
// goes out (bookings the booking script could not receive, records without
// "^"). The window asks one question made of these parts; velmora-import
// writes them into its summary and sends only with --trotzdem or
// --nur-lesbare, when they ask.
#include <string>
#include <string_view>
#include <vector>

#include "import/booking_run.h"

namespace velmora::import {

// How the box is named in a sentence: the window names its caption and the
// tick, velmora-import its option.
struct BoxWords {
    std::string_view with;           // "mit „Monat/Tag tauschen“"
    std::string_view without;        // "ohne „Monat/Tag tauschen“"
    std::string_view with_again;     // "mit dem Haken"
    std::string_view without_again;  // "ohne den Haken"
};

// Each part one sentence without its full stop.
struct Concerns {
    // The bookings without a readable date, the forms of date that are read
    // (when a date reads in neither order), the bookings without a readable
    // amount.
    std::vector<std::string> unreadable;
    // Each form of date the box reads against the file or the file leaves
    // open; and whether the other setting of the box reads every date.
    std::vector<std::string> date_order;
    // The bookings with a text too long for the booking script, the records
    // a header cuts off without "^", and the last record without it.
    std::vector<std::string> never_sent;
    // Whether a send needs the user's yes: for all of these but a record
    // without "^", which is only told.
    bool asks = false;

    bool empty() const { return unreadable.empty() && date_order.empty() && never_sent.empty(); }
};

// `readable_only`: the user has already chosen to send only the readable
// bookings, so those without a readable date or amount are not among the
// concerns (the forms of date that are read still are).
Concerns concerns_before_sending(const RunReport& report, bool swap_month_day, const BoxWords& words,
                                 bool readable_only = false);

// The bookings a send leaves out, for the user who enters them by hand: those
// with a text too long for the booking script, and, when only the readable
// ones are sent, those without a readable date or amount. "Nicht gesendet: 1
// Buchung ohne lesbares Datum (Zeile 6); 1 Buchung mit zu langem Text
// (Zeile 9)"; empty when the send leaves none out.
std::string bookings_left_out(const RunReport& report, bool readable_only);

}  // namespace velmora::import
