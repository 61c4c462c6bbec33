#pragma once
// What the user must hear before a send, part by part, in the words the
// window and velmora-import share: bookings that would go out without a
// readable date or amount, the forms of date Velmora reads, and dates whose
// day and month "Monat/Tag tauschen" may take the wrong way round. The
// window asks one question made of these parts; velmora-import writes them
// into its summary and sends only with --trotzdem.
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

    bool empty() const { return unreadable.empty() && date_order.empty(); }
};

Concerns concerns_before_sending(const RunReport& report, bool swap_month_day, const BoxWords& words);

}  // namespace velmora::import
