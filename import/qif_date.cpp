// Reading a D line's date both ways round: numeric dates in one pass, the
// forms that settle their order as written, and any other text through the
// steps a D line has always taken (apostrophes to slashes, month/day/year
// to day.month.year, the box swapping the first two parts).
#include "import/qif_date.h"

#include "platform/text.h"

namespace velmora::import {

namespace {

constexpr int century = 100;

bool is_slash(char c) { return c == '/' || c == '\''; }

// An apostrophe stands where the slash before the year would be («12/31'05»),
// or, after a dotted day and month, where the dot would be («28.02'2009»).
std::optional<DateForm> numeric_form(const NumericDate& date) {
    const auto [first, second] = date.separators;
    if (is_slash(first) && is_slash(second)) return DateForm::slashes;
    if (first == '.' && (second == '.' || second == '\'')) return DateForm::dots;
    if (first == '-' && second == '-') return DateForm::dashes;
    return std::nullopt;
}

std::optional<Date> moved_into_range(std::optional<Date> date) {
    if (!date || date->year <= latest_booking_year) return date;
    date->year -= century;
    return CalendarDate(date->year, static_cast<int>(date->month), static_cast<int>(date->day));
}

DateReading settled(const std::optional<Date>& date) {
    const auto moved = moved_into_range(date);
    return {DateForm::settled, moved, moved};
}

// Slashes are written month first, dots and dashes day first.
DateReading both_ways(const NumericDate& date, DateForm form) {
    if (date.year_first) return settled(date.day_first);
    const bool month_first = form == DateForm::slashes;
    return {form, moved_into_range(month_first ? date.month_first : date.day_first),
            moved_into_range(month_first ? date.day_first : date.month_first)};
}

// Fields 2, 1 and 3 of `s` joined by "."; a missing field gives an empty part.
std::string second_first_third(std::string_view s, std::string_view sep) {
    std::string out(text::NthField(s, sep, 2));
    out += '.';
    out += text::NthField(s, sep, 1);
    out += '.';
    out += text::NthField(s, sep, 3);
    return out;
}

// Texts such as «1/2/05/x» or «31.12.2005.» read as they always have; they
// tell nothing of how the file orders its dates.
DateReading by_the_steps(std::string_view t) {
    std::string s = text::ReplaceAll(t, "'", "/");
    if (s.find('/') != std::string::npos) s = second_first_third(s, "/");
    return {DateForm::none, moved_into_range(ParseDate(s)), moved_into_range(ParseDate(second_first_third(s, ".")))};
}

}  // namespace

DateReading read_date(std::string_view d_line) {
    const std::string_view t = text::WithoutFirst(d_line);
    const auto numeric = ReadNumericDate(t);
    if (numeric) {
        if (const auto form = numeric_form(*numeric)) return both_ways(*numeric, *form);
    } else if (const auto date = ParseDate(t)) {
        return settled(date);  // eight digits or a month name
    }
    return by_the_steps(t);
}

std::string booking_date(const std::optional<Date>& date) {
    if (!date) return {};
    const auto digit = [](unsigned n) { return static_cast<char>('0' + n % 10); };
    const auto year = static_cast<unsigned>(date->year);
    return {digit(date->day / 10),   digit(date->day),      '.',
            digit(date->month / 10), digit(date->month),    '.',
            digit(year / 1000),      digit(year / 100),     digit(year / 10), digit(year)};
}

}  // namespace velmora::import
