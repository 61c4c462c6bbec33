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

std::string SendingStopped(std::string_view reason, std::size_t sent)
{
    return std::string(reason) + "\n\nBis dahin " + (sent == 1 ? "wurde " : "wurden ") + BookingsSent(sent);
}

}  // namespace velmora
