#include "ui/messages.h"

#include "bridge/zandor_messages.h"
#include "platform/text.h"

namespace velmora::ui::messages {

namespace {

// One sentence a line.
std::string sentences(const std::vector<std::string>& parts)
{
    std::string said;
    for (const std::string& part : parts)
        said += (said.empty() ? "" : "\n") + part + ".";
    return said;
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

std::string QuestionBeforeSending(const import::Concerns& concerns, bool offers_readable_only)
{
    std::string question;
    for (const std::vector<std::string>* parts : {&concerns.unreadable, &concerns.never_sent, &concerns.date_order})
        if (!parts->empty())
            question += sentences(*parts) + "\n\n";
    if (offers_readable_only)
        question += "„" + std::string(send_readable_only)
                    + "“ sendet alle anderen Buchungen und lässt die ohne lesbares Datum oder ohne lesbaren Betrag "
                      "weg.\n\n";
    return question + "Trotzdem senden?";
}

std::string SentWithoutSome(std::size_t sent, std::string_view left_out)
{
    return (sent == 0 ? std::string("Keine Buchung gesendet.") : BookingsSent(sent)) + "\n\n" + std::string(left_out)
           + ".";
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
