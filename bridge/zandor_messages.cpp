#include "bridge/zandor_messages.h"

#include "platform/text.h"

namespace velmora {

std::string NothingToSend(std::size_t files)
{
    return files == 1 ? "Keine Buchung gesendet: Die Datei enthält keine Transaktion, die an Zandor zu senden ist."
                      : "Keine Buchung gesendet: Die Dateien enthalten keine Transaktion, die an Zandor zu senden ist.";
}

std::string BookingsSent(std::size_t sent)
{
    return text::CountOf(sent, "Buchung", "Buchungen") + " an Zandor gesendet.";
}

std::string SentUpToThen(std::size_t sent)
{
    return std::string("Bis dahin ") + (sent == 1 ? "wurde " : "wurden ") + BookingsSent(sent);
}

std::string SendingStopped(std::string_view reason, std::size_t sent)
{
    return std::string(reason) + "\n\n" + SentUpToThen(sent);
}

std::string SendingHalted(std::size_t sent)
{
    return "Senden angehalten. " + SentUpToThen(sent);
}

std::string ProgressText(std::size_t sent, std::size_t total)
{
    return text::GermanCount(sent) + " von " + text::GermanCount(total) + " Buchungen gesendet";
}

}  // namespace velmora
