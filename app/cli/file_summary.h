#pragma once
// What velmora-import tells about each file on standard error: the bookings
// it gives, the records it leaves out, the bookings whose date could not be
// read, and the likeliest reason for them.
#include <string>
#include <string_view>

#include "import/booking_run.h"
#include "import/line_list.h"

namespace velmora::cli {

// One line, and a second one when bookings go out without a date; a third
// when every unreadable date would read with "Monat/Tag tauschen" the other way.
std::string FileSummary(std::string_view file_name, const import::LineList& lines, const import::RunReport& report,
                        bool month_day_swapped);

}  // namespace velmora::cli
