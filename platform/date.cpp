// Reading a date text (day.month.year or YYYY-MM-DD) into a calendar date.
#include "platform/date.h"

#include <chrono>

#include "platform/text.h"

namespace velmora {

namespace {

// Years of one or two digits are read in this century.
constexpr int short_year_century = 2000;
// Four-digit years below this would not print as four digits.
constexpr int earliest_four_digit_year = 1000;

// The value of a text of one to max_digits ASCII digits, or -1.
int digits_value(std::string_view s, std::size_t max_digits) {
    if (s.empty() || s.size() > max_digits) return -1;
    int value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// One or two digits are a year of this century; four digits a year from 1000 on.
int year_value(std::string_view s) {
    const int value = digits_value(s, 4);
    if (value < 0) return -1;
    if (s.size() <= 2) return short_year_century + value;
    return value >= earliest_four_digit_year ? value : -1;
}

std::optional<Date> calendar_date(int year, int month, int day) {
    if (year < 0 || month < 0 || day < 0) return std::nullopt;
    const std::chrono::year_month_day ymd{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                          std::chrono::day{static_cast<unsigned>(day)}};
    if (!ymd.ok()) return std::nullopt;
    return Date{year, static_cast<unsigned>(month), static_cast<unsigned>(day)};
}

std::optional<Date> parse_day_month_year(std::string_view text) {
    if (text::CountFields(text, ".") != 3) return std::nullopt;
    const auto part = [&](std::size_t n) { return text::Trim(text::NthField(text, ".", n)); };
    // A year in the text is only a year when it is valid on its own.
    const int year = year_value(part(3));
    if (year < 0) return std::nullopt;
    return calendar_date(year, digits_value(part(2), 2), digits_value(part(1), 2));
}

std::optional<Date> parse_iso(std::string_view text) {
    text = text::Trim(text);
    if (text::CountFields(text, "-") != 3) return std::nullopt;
    const auto year_text = text::NthField(text, "-", 1);
    if (year_text.size() != 4) return std::nullopt;
    return calendar_date(year_value(year_text), digits_value(text::NthField(text, "-", 2), 2),
                         digits_value(text::NthField(text, "-", 3), 2));
}

}  // namespace

std::optional<Date> ParseDate(std::string_view text) {
    if (text.find('.') != std::string_view::npos) return parse_day_month_year(text);
    return parse_iso(text);
}

}  // namespace velmora
