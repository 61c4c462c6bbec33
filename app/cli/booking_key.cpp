#include "app/cli/booking_key.h"

#include <algorithm>

namespace velmora::cli {

namespace {

constexpr char field_separator = '|';

// A "|" or "\" inside a text is escaped, so that no two different bookings
// join into the same key.
void appendField(std::string& key, std::string_view text)
{
    for (std::size_t special; (special = text.find_first_of("|\\")) != std::string_view::npos;) {
        key.append(text.substr(0, special)).append(1, '\\').append(1, text[special]);
        text.remove_prefix(special + 1);
    }
    key.append(text).append(1, field_separator);
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
    key.reserve(booking[0].size() + booking[2].size() + booking[6].size() + booking[7].size() + 24);
    appendField(key, booking[0]);
    appendField(key, booking[2]);
    appendField(key, direction(booking, account_));
    appendField(key, booking[6]);
    appendField(key, booking[7]);
    Occurrences& occurrences = seen_[key];
    const unsigned occurrence = ++occurrences.in_file;
    last_in_earlier_file_ = occurrence <= occurrences.in_earlier_files;
    return key.append(std::to_string(occurrence));
}

void BookingKeys::startFile()
{
    for (auto& [combination, occurrences] : seen_) {
        occurrences.in_earlier_files = std::max(occurrences.in_earlier_files, occurrences.in_file);
        occurrences.in_file = 0;
    }
}

}  // namespace velmora::cli
