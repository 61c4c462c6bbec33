#pragma once
// What velmora-import tells about each file on standard error: the bookings
// it gives, the records it leaves out, the bookings whose date or amount
// could not be read, and the likeliest reason for unreadable dates.
#include <string>
#include <string_view>

#include "import/booking_run.h"
#include "import/unreadable_bookings.h"

namespace velmora::cli {

// One line; one more for bookings without a date, and one for those without
// an amount; and one when "Monat/Tag tauschen" the other way would read
// every date.
std::string FileSummary(std::string_view file_name, const import::RunReport& report, const import::SwapCheck& swap,
                        bool month_day_swapped);

}  // namespace velmora::cli
