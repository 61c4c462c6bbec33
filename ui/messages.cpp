#include "ui/messages.h"

#include "bridge/zandor_messages.h"
#include "import/undated_bookings.h"
#include "platform/text.h"

namespace velmora::ui::messages {

std::string UndatedQuestion(const import::LineList& lines, const std::vector<std::int64_t>& undated,
                            bool month_day_swapped)
{
    const bool one = undated.size() == 1;
    std::string question = import::undated_bookings(undated) + (one ? " ginge" : " gingen") + " mit leerem Datum an Zandor.";
    if (import::toggled_swap_reads_every_date(lines, undated, month_day_swapped))
        question += std::string("\n\n") + (month_day_swapped ? "Ohne" : "Mit")
                    + " „Monat/Tag tauschen“ wären alle diese Daten lesbar.";
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
