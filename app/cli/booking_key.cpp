#include "app/cli/booking_key.h"

namespace velmora::cli {

namespace {

constexpr char field_separator = '|';

// A "|" or "\" inside a text is escaped, so that no two different bookings
// join into the same key.
void appendField(std::string& key, std::string_view text)
{
    for (const char c : text) {
        if (c == field_separator || c == '\\')
            key += '\\';
        key += c;
    }
    key += field_separator;
}

// The booking's own texts give the money's side: the chosen account is the
// one it leaves, or else the one it reaches.
std::string_view direction(const import::BookingArguments& booking, std::string_view account)
{
    return booking[3] == account ? "Ausgabe" : "Einnahme";
}

}  // namespace

std::string BookingKeys::next(const import::BookingArguments& booking)
{
    std::string key;
    appendField(key, booking[0]);
    appendField(key, booking[2]);
    appendField(key, direction(booking, account_));
    appendField(key, booking[6]);
    appendField(key, booking[7]);
    const unsigned occurrence = ++seen_[key];
    return key + std::to_string(occurrence);
}

}  // namespace velmora::cli
