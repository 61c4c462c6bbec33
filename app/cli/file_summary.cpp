#include "app/cli/file_summary.h"

#include "import/undated_bookings.h"
#include "platform/text.h"

namespace velmora::cli {

std::string FileSummary(std::string_view file_name, const import::LineList& lines, const import::RunReport& report,
                        bool month_day_swapped)
{
    const std::string name(file_name);
    std::string summary = name + ": " + text::CountOf(report.sent, "Buchung", "Buchungen") + ", "
                          + text::CountOf(report.skipped, "Datensatz", "Datensätze") + " übersprungen\n";
    if (report.undated.empty())
        return summary;
    const bool one = report.undated.size() == 1;
    summary += name + ": " + import::undated_bookings(report.undated) + (one ? " geht" : " gehen")
               + " mit leerem Datum an Zandor\n";
    if (import::toggled_swap_reads_every_date(lines, report.undated, month_day_swapped))
        summary += name + ": " + (month_day_swapped ? "Ohne" : "Mit")
                   + " --monat-tag („Monat/Tag tauschen“) wären alle diese Daten lesbar.\n";
    return summary;
}

}  // namespace velmora::cli
