#include "import/undated_bookings.h"

#include <algorithm>

#include "import/booking_run.h"
#include "import/qif_date.h"
#include "platform/text.h"

namespace velmora::import {

namespace {

// A file with thousands of them says which lines to look at first.
constexpr std::size_t undated_lines_listed = 10;

std::string whereTheDatesAre(const std::vector<std::int64_t>& undated)
{
    std::string where;
    for (std::size_t i = 0; i < std::min(undated.size(), undated_lines_listed); ++i) {
        where += i == 0 ? "" : ", ";
        where += undated[i] == no_date_line ? "ohne D-Zeile" : "Zeile " + std::to_string(undated[i] + 1);
    }
    return undated.size() > undated_lines_listed ? where + ", …" : where;
}

}  // namespace

std::string undated_bookings(const std::vector<std::int64_t>& undated)
{
    return text::CountOf(undated.size(), "Buchung", "Buchungen") + " ohne lesbares Datum (" + whereTheDatesAre(undated)
           + ")";
}

// A wrong "Monat/Tag tauschen" is the likeliest cause of unreadable dates.
bool toggled_swap_reads_every_date(const LineList& lines, const std::vector<std::int64_t>& undated, bool swapped)
{
    bool any_date_line = false;
    for (const std::int64_t line : undated) {
        if (line == no_date_line)
            continue;
        any_date_line = true;
        if (booking_date(lines[static_cast<std::size_t>(line)], !swapped).empty())
            return false;
    }
    return any_date_line;
}

}  // namespace velmora::import
