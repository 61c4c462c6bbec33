#include "cli/staying_home_summary.h"

#include <vector>

#include "bridge/zandor_messages.h"
#include "platform/text.h"

namespace velmora::cli {

namespace {

constexpr std::string_view unclear_advice = "ob sie in Zandor angekommen sind, ist unklar; bitte dort nachsehen, "
                                            "dann mit --alle senden oder mit --vergessen freigeben";

std::string unclearLine(const record::StayingHome::Unclear& unclear)
{
    const import::BookingArguments& texts = unclear.texts;
    return "  " + texts[0] + "  " + EuroAmount(texts[2]) + "  von " + texts[3] + " an " + texts[4] + "  " + texts[6]
           + "  " + texts[7] + "  (unterwegs seit " + record::GermanDay(unclear.since) + ")\n";
}

}  // namespace

std::string StayingHomeSummary(const record::StayingHome& staying_home, std::string_view account,
                               const import::BookingArguments* being_sent)
{
    std::string summary;
    if (staying_home.in_earlier_file > 0)
        summary += text::CountOf(staying_home.in_earlier_file, "Buchung", "Buchungen")
                   + " übersprungen: schon in einer früheren Datei dieses Aufrufs\n";
    for (const auto& [day, count] : staying_home.sent_on_day)
        summary += text::CountOf(count, "Buchung", "Buchungen") + " übersprungen: schon am " + record::GermanDay(day) + " an »"
                   + std::string(account) + "« gesendet\n";
    std::vector<const record::StayingHome::Unclear*> unclear;
    for (const record::StayingHome::Unclear& booking : staying_home.unclear) {
        if (being_sent != nullptr && booking.texts == *being_sent)
            summary += "1 Buchung wird gerade von einem anderen velmora-import gesendet:\n" + unclearLine(booking);
        else
            unclear.push_back(&booking);
    }
    if (unclear.empty())
        return summary;
    summary += text::CountOf(unclear.size(), "Buchung", "Buchungen") + " nicht gesendet: "
               + std::string(unclear_advice) + ":\n";
    for (const record::StayingHome::Unclear* booking : unclear)
        summary += unclearLine(*booking);
    return summary;
}

}  // namespace velmora::cli
