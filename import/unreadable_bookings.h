#pragma once
// What the user is told about bookings that would go out without a date or
// without an amount, in the same words by the window and by velmora-import:
// where they are, and whether "Monat/Tag tauschen" the other way would read
// every date.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "import/booking_run.h"
#include "import/line_list.h"

namespace velmora::import {

// "2 Buchungen ohne lesbares Datum (Zeilen 6, 9, ohne D-Zeile)"; at most ten
// places are named, then "…". `undated` as a run reports it.
std::string undated_bookings(const std::vector<std::int64_t>& undated);

// "2 Buchungen ohne lesbaren Betrag (Zeilen 14, 22)", from a run's
// `unreadable_amounts`.
std::string bookings_without_amount(const std::vector<std::int64_t>& amount_lines);

// What "Monat/Tag tauschen" the other way than now makes of the dates.
struct SwapCheck {
    // It reads every D line of a booking, and the current setting does not.
    bool other_reads_every_date = false;
    // Bookings whose date reads now, but the other way round.
    std::size_t dates_swapped_now = 0;
};

// Runs the lines again under both settings of the box (nothing is sent;
// `run` gives the account, the other options and the yield), when `report`,
// the report of `run`, names a D line that is no date.
SwapCheck check_month_day_swap(const LineList& lines, const RunContext& run, const RunReport& report);

// "gingen außerdem 4 Buchungen mit vertauschtem Tag und Monat hinaus"
std::string swapped_dates_going_out(std::size_t bookings);

}  // namespace velmora::import
