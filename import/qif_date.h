#pragma once
// The booking date of a QIF D line, as it goes out with and without
// "Monat/Tag tauschen".
#include <optional>
#include <string>
#include <string_view>

#include "platform/date.h"

namespace velmora::import {

// Years above this are taken as a century too late: two-digit years are read
// as 2000-2099, and 99 means 1999, not 2099.
inline constexpr int latest_booking_year = 2070;

// How a D line writes its date. Dots, slashes and dashes leave open which of
// the first two parts is the day; a four-digit year in front, eight digits
// or a month name settle it. None: no date, or a text of another shape.
enum class DateForm { none, dots, slashes, dashes, settled };

// Which of the first two parts of a dotted, slashed or dashed date is the day.
enum class DateOrder { day_first, month_first };

struct DateReading {
    DateForm form = DateForm::none;
    std::optional<Date> as_written;  // without "Monat/Tag tauschen"
    std::optional<Date> swapped;     // with it

    const std::optional<Date>& under(bool swap_month_day) const { return swap_month_day ? swapped : as_written; }
};

// The date of a D line (its "D" included) under both settings of the box.
// Slashes are month/day/year («12/31/05», «12/31'05»); dots and dashes are
// day.month.year («31.12.2005», «31-12-05», «28.02'2009»); the box swaps the
// first two parts. A date whose year is moved back by a century but does
// not exist then (29.02.2400) is no date.
DateReading read_date(std::string_view d_line);

// "DD.MM.YYYY", or "" for no date.
std::string booking_date(const std::optional<Date>& date);

inline std::string booking_date(std::string_view d_line, bool swap_month_day) {
    return booking_date(read_date(d_line).under(swap_month_day));
}

}  // namespace velmora::import
