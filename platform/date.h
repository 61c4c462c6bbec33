#pragma once
// Calendar dates as the runtime's date value: day, month and year.
#include <optional>
#include <string_view>

namespace velmora {

struct Date {
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    friend bool operator==(const Date&, const Date&) = default;
};

// Reads "day.month.year" (blanks around each part ignored, day and month of one
// or two digits, a one- or two-digit year meaning 2000-2099, a four-digit year
// from 1000 on as it stands) or the ISO form "YYYY-MM-DD". Anything else, and
// any day the calendar does not have, is not a date.
std::optional<Date> ParseDate(std::string_view text);

}  // namespace velmora
