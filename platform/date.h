#pragma once
// Calendar dates as the runtime's date value (day, month and year), and
// reading the texts that write them.
#include <array>
#include <optional>
#include <string_view>

namespace velmora {

struct Date {
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    friend bool operator==(const Date&, const Date&) = default;
};

// The date, when the calendar has it: 31 February is none.
std::optional<Date> CalendarDate(int year, int month, int day);

// A date of three runs of digits joined by two separators, each "." "/" "'"
// or "-", with blanks and tabs around each run ignored: «1/ 5'05», «09-06-19».
// Day and month have one or two digits; a year of one or two digits means
// 2000-2099, one of four digits from 1000 on stands as it is.
struct NumericDate {
    std::array<char, 2> separators{};
    // A four-digit year in front («2014/1/2») settles the order: then both
    // readings below are year, month, day.
    bool year_first = false;
    std::optional<Date> day_first;    // the first part as the day, the second as the month
    std::optional<Date> month_first;  // the other way round
};
// nullopt when the text is not of that shape; a shape whose parts make no
// date leaves the readings empty.
std::optional<NumericDate> ReadNumericDate(std::string_view text);

// Reads a date as written: "day.month.year" and "day-month-year" with the
// day first; a four-digit year in front with dots, slashes or dashes
// («2024-01-25», «2014/1/2»); eight digits, year first («20240102»); a
// German or English month name, whole or shortened, with or without a dot
// («26 Jan 2026», «26. Januar 2026», «3 Mär 2026», «Dec 31, 2026»). Blanks
// around the parts are ignored. Slashes without a year in front leave the
// order to the caller and are no date here; so is any day the calendar
// does not have.
std::optional<Date> ParseDate(std::string_view text);

}  // namespace velmora
