#include "import/unreadable_bookings.h"

#include <algorithm>
#include <functional>

#include "platform/text.h"

namespace velmora::import {

namespace {

// A file with thousands of them says which lines to look at first.
constexpr std::size_t places_listed = 10;

// Line numbers in a row share one "Zeile" or "Zeilen": «Zeilen 6, 9, ohne D-Zeile».
std::string places(const std::vector<std::int64_t>& lines)
{
    const std::size_t listed = std::min(lines.size(), places_listed);
    std::string where;
    for (std::size_t i = 0; i < listed; ++i) {
        where += i == 0 ? "" : ", ";
        if (lines[i] == no_date_line) {
            where += "ohne D-Zeile";
            continue;
        }
        if (i == 0 || lines[i - 1] == no_date_line) {
            const bool more_follow = i + 1 < listed && lines[i + 1] != no_date_line;
            where += more_follow ? "Zeilen " : "Zeile ";
        }
        where += std::to_string(lines[i] + 1);
    }
    return lines.size() > places_listed ? where + ", …" : where;
}

bool has_date_line(const std::vector<std::int64_t>& undated)
{
    return std::any_of(undated.begin(), undated.end(), [](std::int64_t line) { return line != no_date_line; });
}

// Hands over the date of every booking of the lines, with the box as `swapped` says.
RunReport each_date(const LineList& lines, const RunContext& run, bool swapped,
                    const std::function<void(const std::string&)>& take)
{
    const RunContext dating{
        run.chosen_account,
        [&run, swapped](Option option) { return option == Option::monat_tag ? swapped : run.option && run.option(option); },
        [&take](const BookingArguments& booking) { take(booking[0]); },
        run.yield,
    };
    return buchung_erzeugen(lines, lines.upper_bound(), dating);
}

}  // namespace

std::string undated_bookings(const std::vector<std::int64_t>& undated)
{
    return text::CountOf(undated.size(), "Buchung", "Buchungen") + " ohne lesbares Datum (" + places(undated) + ")";
}

std::string bookings_without_amount(const std::vector<std::int64_t>& amount_lines)
{
    return text::CountOf(amount_lines.size(), "Buchung", "Buchungen") + " ohne lesbaren Betrag (" + places(amount_lines)
           + ")";
}

// A wrong "Monat/Tag tauschen" is the likeliest cause of unreadable dates;
// and where it is wrong, it swaps the dates it can read as well.
SwapCheck check_month_day_swap(const LineList& lines, const RunContext& run, const RunReport& report)
{
    if (!has_date_line(report.undated))
        return {};
    const bool swapped = run.option && run.option(Option::monat_tag);
    std::vector<std::string> other;
    const RunReport other_report = each_date(lines, run, !swapped, [&](const std::string& date) { other.push_back(date); });
    if (has_date_line(other_report.undated))
        return {};
    // Either setting sends the same bookings: the box changes no skip.
    SwapCheck check{true, 0};
    std::size_t booking = 0;
    each_date(lines, run, swapped, [&](const std::string& date) {
        check.dates_swapped_now += !date.empty() && booking < other.size() && date != other[booking];
        ++booking;
    });
    return check;
}

std::string swapped_dates_going_out(std::size_t bookings)
{
    return std::string(bookings == 1 ? "ginge" : "gingen") + " außerdem " + text::CountOf(bookings, "Buchung", "Buchungen")
           + " mit vertauschtem Tag und Monat hinaus";
}

}  // namespace velmora::import
