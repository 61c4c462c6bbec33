#include "ui/messages.h"

#include "bridge/zandor_messages.h"
#include "platform/text.h"

namespace velmora::ui::messages {

namespace {

std::string goes(std::size_t bookings)
{
    return bookings == 1 ? " ginge" : " gingen";
}

std::string whatIsUnreadable(const import::RunReport& planned)
{
    std::string listed;
    if (!planned.undated.empty())
        listed += import::undated_bookings(planned.undated) + goes(planned.undated.size()) + " mit leerem Datum an Zandor.";
    if (!planned.unreadable_amounts.empty())
        listed += (listed.empty() ? "" : "\n") + import::bookings_without_amount(planned.unreadable_amounts)
                  + goes(planned.unreadable_amounts.size()) + " mit dem Text ihrer T-Zeile als Betrag an Zandor.";
    return listed;
}

std::string otherSwap(const import::SwapCheck& swap, bool month_day_swapped)
{
    std::string said = std::string(month_day_swapped ? "Ohne" : "Mit") + " „Monat/Tag tauschen“ wären alle Daten lesbar";
    if (swap.dates_swapped_now == 0)
        return said + ".";
    return said + "; " + (month_day_swapped ? "mit dem Haken " : "ohne den Haken ")
           + import::swapped_dates_going_out(swap.dates_swapped_now) + ".";
}

}  // namespace

std::string UnreadableQuestion(const import::RunReport& planned, const import::SwapCheck& swap, bool month_day_swapped)
{
    std::string question = whatIsUnreadable(planned);
    if (swap.other_reads_every_date)
        question += "\n\n" + otherSwap(swap, month_day_swapped);
    return question + "\n\nTrotzdem senden?";
}

std::string ResumeQuestion(std::size_t sent, std::size_t total, std::string_view account)
{
    return text::GermanCount(sent) + " von " + text::GermanCount(total) + " Buchungen dieser Datei "
           + (sent == 1 ? "wurde" : "wurden") + " schon an »" + std::string(account) + "« gesendet. Mit Buchung "
           + text::GermanCount(sent + 1) + " weitermachen?";
}

std::string SentOfFile(std::size_t sent, std::size_t total)
{
    return std::string("Bis dahin ") + (sent == 1 ? "wurde " : "wurden ") + text::GermanCount(sent) + " von "
           + text::GermanCount(total) + " Buchungen dieser Datei an Zandor gesendet.";
}

std::string BookingInDoubt(const import::BookingArguments& booking)
{
    const std::string& date = booking[0];
    const std::string& payee = booking[6];
    return "Das Skript der Buchung " + (date.empty() ? std::string("ohne Datum") : "vom " + date) + " über "
           + EuroAmount(booking[2]) + " von " + booking[3] + " an " + booking[4] + (payee.empty() ? std::string() : ", Zahlungspartner »" + payee + "«,")
           + " wurde beendet, bevor es fertig war. Sie kann in Zandor angekommen sein oder nicht: bitte dort "
             "nachsehen.";
}

}  // namespace velmora::ui::messages
