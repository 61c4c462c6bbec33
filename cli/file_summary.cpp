#include "cli/file_summary.h"

#include "platform/text.h"

namespace velmora::cli {

std::string FileSummary(std::string_view file_name, const import::RunReport& report,
                        const import::Concerns& concerns)
{
    const std::string name(file_name);
    std::string summary = name + ": " + text::CountOf(report.sent, "Buchung", "Buchungen") + ", "
                          + text::CountOf(report.skipped, "Datensatz", "Datensätze") + " übersprungen\n";
    for (const std::vector<std::string>* parts : {&concerns.unreadable, &concerns.never_sent, &concerns.date_order})
        for (const std::string& part : *parts)
            summary += name + ": " + part + "\n";
    return summary;
}

}  // namespace velmora::cli
