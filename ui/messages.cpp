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
