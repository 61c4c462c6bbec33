// Rewriting a D line's month/day/year into day.month.year and reading it.
#include "import/qif_date.h"

#include <chrono>

#include "platform/date.h"
#include "platform/text.h"

namespace velmora::import {

namespace {

constexpr int century = 100;

// Fields 2, 1 and 3 of `s` joined by "."; a missing field gives an empty part.
std::string second_first_third(std::string_view s, std::string_view sep) {
    std::string out(text::NthField(s, sep, 2));
    out += '.';
    out += text::NthField(s, sep, 1);
    out += '.';
    out += text::NthField(s, sep, 3);
    return out;
}

bool exists(const Date& d) {
    return std::chrono::year_month_day{std::chrono::year{d.year}, std::chrono::month{d.month}, std::chrono::day{d.day}}
        .ok();
}

// Day and month zero-filled to two digits; the year is always four here.
std::string day_month_year(const Date& d) {
    const auto digit = [](unsigned n) { return static_cast<char>('0' + n % 10); };
    const auto year = static_cast<unsigned>(d.year);
    return {digit(d.day / 10),    digit(d.day),        '.',
            digit(d.month / 10),  digit(d.month),      '.',
            digit(year / 1000),   digit(year / 100),   digit(year / 10), digit(year)};
}

}  // namespace

std::string booking_date(std::string_view d_line, bool swap_month_day) {
    // An apostrophe stands where the slash before the year would be: «12/31'05».
    std::string t = text::ReplaceAll(text::WithoutFirst(d_line), "'", "/");
    if (t.find('/') != std::string::npos) t = second_first_third(t, "/");
    if (swap_month_day) t = second_first_third(t, ".");

    auto date = ParseDate(t);
    if (!date) return {};
    if (date->year > latest_booking_year) {
        date->year -= century;
        if (!exists(*date)) return {};
    }
    return day_month_year(*date);
}

}  // namespace velmora::import
