#include "cli/file_summary.h"

#include "platform/text.h"

namespace velmora::cli {

namespace {

std::string goes(std::size_t bookings)
{
    return bookings == 1 ? " ginge" : " gingen";
}

std::string otherSwap(const import::SwapCheck& swap, bool month_day_swapped)
{
    std::string said = std::string(month_day_swapped ? "Ohne" : "Mit")
                       + " --monat-tag („Monat/Tag tauschen“) wären alle Daten lesbar";
    if (swap.dates_swapped_now == 0)
        return said + ".";
    return said + "; " + (month_day_swapped ? "mit" : "ohne") + " --monat-tag "
           + import::swapped_dates_going_out(swap.dates_swapped_now) + ".";
}

}  // namespace

std::string FileSummary(std::string_view file_name, const import::RunReport& report, const import::SwapCheck& swap,
                        bool month_day_swapped)
{
    const std::string name(file_name);
    std::string summary = name + ": " + text::CountOf(report.sent, "Buchung", "Buchungen") + ", "
                          + text::CountOf(report.skipped, "Datensatz", "Datensätze") + " übersprungen\n";
    if (!report.undated.empty())
        summary += name + ": " + import::undated_bookings(report.undated) + goes(report.undated.size())
                   + " mit leerem Datum an Zandor\n";
    if (!report.unreadable_amounts.empty())
        summary += name + ": " + import::bookings_without_amount(report.unreadable_amounts)
                   + goes(report.unreadable_amounts.size()) + " mit dem Text ihrer T-Zeile als Betrag an Zandor\n";
    if (swap.other_reads_every_date)
        summary += name + ": " + otherSwap(swap, month_day_swapped) + "\n";
    return summary;
}

}  // namespace velmora::cli
