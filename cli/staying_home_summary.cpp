#include "cli/staying_home_summary.h"

#include <algorithm>
#include <vector>

#include "cli/settling_advice.h"
#include "platform/text.h"

namespace velmora::cli {

namespace {

using Unclear = record::StayingHome::Unclear;

std::string unclearLine(const Unclear& unclear)
{
    return BookingInDoubtLine(unclear.texts, unclear.file, unclear.line) + "  (unklar seit "
           + record::GermanDay(unclear.since) + ")\n";
}

std::vector<std::string> filesOf(const std::vector<const Unclear*>& unclear)
{
    std::vector<std::string> files;
    for (const Unclear* booking : unclear)
        if (std::find(files.begin(), files.end(), booking->file) == files.end())
            files.push_back(booking->file);
    return files;
}

std::string unclearSummary(const std::vector<const Unclear*>& unclear, const Invocation& invocation)
{
    const bool one = unclear.size() == 1;
    std::string summary = text::CountOf(unclear.size(), "Buchung", "Buchungen")
                          + " nicht gesendet, denn ob sie in Zandor angekommen " + (one ? "ist" : "sind")
                          + ", ist unklar:\n";
    for (const Unclear* booking : unclear)
        summary += unclearLine(*booking);
    return summary + SettlingCalls(invocation, filesOf(unclear), unclear.size());
}

}  // namespace

std::string StayingHomeSummary(const record::StayingHome& staying_home, const Invocation& invocation,
                               const import::BookingArguments* being_sent)
{
    std::string summary;
    if (staying_home.in_earlier_file > 0)
        summary += text::CountOf(staying_home.in_earlier_file, "Buchung", "Buchungen")
                   + " übersprungen: schon in einer früheren Datei dieses Aufrufs\n";
    for (const auto& [day, count] : staying_home.sent_on_day)
        summary += text::CountOf(count, "Buchung", "Buchungen") + " übersprungen: schon am " + record::GermanDay(day)
                   + " an »" + invocation.konto + "« gesendet\n";
    std::vector<const Unclear*> unclear;
    for (const Unclear& booking : staying_home.unclear) {
        if (being_sent != nullptr && booking.texts == *being_sent)
            summary += "1 Buchung wird gerade von einem anderen velmora-import gesendet:\n"
                       + BookingInDoubtLine(booking.texts, booking.file, booking.line) + "\n";
        else
            unclear.push_back(&booking);
    }
    return unclear.empty() ? summary : summary + unclearSummary(unclear, invocation);
}

}  // namespace velmora::cli
