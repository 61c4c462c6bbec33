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

// "2 von 3 Buchungen dieser Datei wurden schon an »Girokonto« gesendet."
std::string sentSoFar(std::size_t sent, std::size_t total, std::string_view account)
{
    return text::GermanCount(sent) + " von " + text::GermanCount(total) + " Buchungen dieser Datei "
           + (sent == 1 ? "wurde" : "wurden") + " schon an »" + std::string(account) + "« gesendet.";
}

std::string changedSince(std::string_view changes)
{
    return changes.empty() ? std::string() : " Seitdem geändert: " + std::string(changes) + ".";
}

std::string dateOf(const import::BookingArguments& booking)
{
    return booking[0].empty() ? std::string("ohne Datum") : booking[0];
}

}  // namespace

std::string UnreadableQuestion(const import::RunReport& planned, const import::SwapCheck& swap, bool month_day_swapped)
{
    std::string question = whatIsUnreadable(planned);
    if (swap.other_reads_every_date)
        question += "\n\n" + otherSwap(swap, month_day_swapped);
    return question + "\n\nTrotzdem senden?";
}

std::string ResumeQuestion(std::size_t sent, std::size_t total, std::string_view account, std::string_view changes)
{
    return sentSoFar(sent, total, account) + changedSince(changes) + " Mit Buchung " + text::GermanCount(sent + 1)
           + " weitermachen?";
}

std::string InDoubtQuestion(std::size_t sent, std::size_t total, std::string_view account,
                            const import::BookingArguments& in_doubt, std::string_view changes)
{
    const std::string payee = in_doubt[6].empty() ? std::string() : ", »" + in_doubt[6] + "«";
    return sentSoFar(sent, total, account) + " Ob Buchung " + text::GermanCount(sent + 1) + " ("
           + dateOf(in_doubt) + ", " + EuroAmount(in_doubt[2]) + payee
           + ") in Zandor angekommen ist, ist unklar: Ihr Skript ist nicht wie vorgesehen zu Ende gegangen. Bitte dort "
             "nachsehen." + changedSince(changes) + " Steht sie in Zandor, "
           + (sent + 1 < total ? "geht es mit Buchung " + text::GermanCount(sent + 2) + " weiter; fehlt sie dort, mit "
                                     "Buchung " + text::GermanCount(sent + 1) + "."
                               : "ist die Datei damit ganz gesendet; fehlt sie dort, geht es mit Buchung "
                                     + text::GermanCount(sent + 1) + " weiter.");
}

std::string UntellableQuestion(std::size_t sent, std::size_t total, std::string_view account,
                               std::string_view changes)
{
    return sentSoFar(sent, total, account) + changedSince(changes)
           + " Damit gehen andere Buchungen hinaus, und welche davon noch fehlen, lässt sich nicht mehr sagen. Alle "
             "Buchungen der Datei noch einmal senden?";
}

std::string QuitQuestion(std::size_t sent, std::size_t total)
{
    return "Velmora beenden? Bis jetzt " + std::string(sent == 1 ? "ist " : "sind ") + text::GermanCount(sent)
           + " von " + text::GermanCount(total) + " Buchungen dieser Datei an Zandor gesendet. Velmora hält nach der "
             "laufenden Buchung an und endet; die übrigen Buchungen werden nicht gesendet.";
}

std::string SentOfFile(std::size_t sent, std::size_t total)
{
    return std::string("Bis dahin ") + (sent == 1 ? "wurde " : "wurden ") + text::GermanCount(sent) + " von "
           + text::GermanCount(total) + " Buchungen dieser Datei an Zandor gesendet.";
}

std::string BookingInDoubt(const import::BookingArguments& booking, std::string_view file, std::int64_t line,
                           bool ended)
{
    const std::string& payee = booking[6];
    const std::string named = "der Buchung " + (booking[0].empty() ? std::string("ohne Datum") : "vom " + booking[0])
                              + " über " + EuroAmount(booking[2]) + " von " + booking[3] + " an " + booking[4]
                              + (payee.empty() ? std::string() : ", Zahlungspartner »" + payee + "«") + " (Zeile "
                              + text::GermanCount(static_cast<std::size_t>(line) + 1) + " der Datei »"
                              + std::string(file) + "«)";
    if (ended)
        return "Das Skript " + named + " wurde beendet, bevor es fertig war. Sie kann in Zandor angekommen sein oder "
               "nicht: bitte dort nachsehen.";
    return "Das Skript " + named + " ist nicht wie vorgesehen zu Ende gegangen. Sie kann in Zandor angekommen sein "
           "oder nicht: bitte dort nachsehen.";
}

}  // namespace velmora::ui::messages
