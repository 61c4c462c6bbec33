#pragma once
// The booking date of a QIF D line.
#include <string>
#include <string_view>

namespace velmora::import {

// Years above this are taken as a century too late: two-digit years are read
// as 2000-2099, and 99 means 1999, not 2099.
inline constexpr int latest_booking_year = 2070;

// The date of a D line (its "D" included) as "DD.MM.YYYY", or "" when its
// text is no date. «12/31'05» and «12/31/05» are month/day/year; a dotted
// text is day.month.year, with the first two parts swapped when
// `swap_month_day` is set; «2024-01-25» is read only unswapped. A date whose
// year moved back by a century does not exist (29.02.2400) is no date either.
std::string booking_date(std::string_view d_line, bool swap_month_day);

}  // namespace velmora::import
