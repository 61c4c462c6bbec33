#include "import/unreadable_bookings.h"

#include <algorithm>

#include "import/booking_run.h"
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

std::string bookings_too_long(const std::vector<std::int64_t>& lines)
{
    return text::CountOf(lines.size(), "Buchung", "Buchungen") + " mit zu langem Text (" + places(lines) + ")";
}

std::string records_cut_by_header(const std::vector<std::int64_t>& first_lines)
{
    return text::CountOf(first_lines.size(), "Datensatz", "Datensätze") + " vor einer Kopfzeile ohne „^“ (ab "
           + places(first_lines) + ")";
}

}  // namespace velmora::import
