#include "bridge/zandor_messages.h"

#include <algorithm>

#include "platform/text.h"

namespace velmora {

namespace {

constexpr std::size_t cents_digits = 2;

bool allDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string EuroAmount(std::string_view betrag)
{
    std::string_view digits = betrag;
    if (digits.starts_with('+'))
        digits.remove_prefix(1);
    if (!allDigits(digits))
        return std::string(betrag);
    const std::size_t first_significant = std::min(digits.find_first_not_of('0'), digits.size());
    std::string cents(digits.substr(first_significant));
    cents.insert(0, cents_digits + 1 > cents.size() ? cents_digits + 1 - cents.size() : 0, '0');
    const std::size_t euro_digits = cents.size() - cents_digits;
    std::string out;
    for (std::size_t i = 0; i < euro_digits; ++i) {
        if (i > 0 && (euro_digits - i) % 3 == 0)
            out += '.';
        out += cents[i];
    }
    return out + "," + cents.substr(euro_digits) + " €";
}

std::string NothingToSend(std::size_t files, const std::vector<std::string>& never_sent)
{
    if (!never_sent.empty()) {
        std::string why = "Keine Buchung gesendet:";
        for (const std::string& sentence : never_sent)
            why += " " + sentence + ".";
        return why;
    }
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

std::string ProgressText(std::size_t sent, std::size_t total)
{
    return text::GermanCount(sent) + " von " + text::GermanCount(total) + " Buchungen gesendet";
}

}  // namespace velmora
