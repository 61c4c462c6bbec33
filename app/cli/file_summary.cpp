#include "app/cli/file_summary.h"

#include <algorithm>

#include "import/qif_date.h"
#include "platform/text.h"

namespace velmora::cli {

namespace {

// A file with thousands of them says which lines to look at first.
constexpr std::size_t undated_lines_listed = 10;

std::string whereTheDatesAre(const std::vector<std::int64_t>& undated)
{
    std::string where;
    for (std::size_t i = 0; i < std::min(undated.size(), undated_lines_listed); ++i) {
        where += i == 0 ? "" : ", ";
        where += undated[i] == import::no_date_line ? "ohne D-Zeile" : "Zeile " + std::to_string(undated[i] + 1);
    }
    return undated.size() > undated_lines_listed ? where + ", …" : where;
}

// A wrong "Monat/Tag tauschen" is the likeliest cause of unreadable dates: it
// is, when each of them reads with the option the other way.
bool toggledReadsEveryDate(const import::LineList& lines, const std::vector<std::int64_t>& undated, bool swapped)
{
    bool any_date_line = false;
    for (const std::int64_t line : undated) {
        if (line == import::no_date_line)
            continue;
        any_date_line = true;
        if (import::booking_date(lines[static_cast<std::size_t>(line)], !swapped).empty())
            return false;
    }
    return any_date_line;
}

}  // namespace

std::string FileSummary(std::string_view file_name, const import::LineList& lines, const import::RunReport& report,
                        bool month_day_swapped)
{
    const std::string name(file_name);
    std::string summary = name + ": " + text::CountOf(report.sent, "Buchung", "Buchungen") + ", "
                          + text::CountOf(report.skipped, "Datensatz", "Datensätze") + " übersprungen\n";
    if (report.undated.empty())
        return summary;
    const bool one = report.undated.size() == 1;
    summary += name + ": " + text::CountOf(report.undated.size(), "Buchung", "Buchungen") + " ohne lesbares Datum ("
               + whereTheDatesAre(report.undated) + (one ? ") geht" : ") gehen") + " mit leerem Datum an Zandor\n";
    if (toggledReadsEveryDate(lines, report.undated, month_day_swapped))
        summary += name + ": " + (month_day_swapped ? "Ohne" : "Mit")
                   + " --monat-tag („Monat/Tag tauschen“) wären alle diese Daten lesbar.\n";
    return summary;
}

}  // namespace velmora::cli
