#include "record/booking_key.h"

#include <charconv>

namespace velmora::record {

namespace {

constexpr char field_separator = '|';
constexpr char escape = '\\';
constexpr std::size_t key_fields = std::tuple_size_v<KeyFields>;

bool needsEscape(char c) { return c == field_separator || c == escape; }

void appendField(std::string& key, std::string_view text)
{
    for (std::size_t special; (special = text.find_first_of("|\\")) != std::string_view::npos;) {
        key.append(text.substr(0, special)).append(1, escape).append(1, text[special]);
        text.remove_prefix(special + 1);
    }
    key.append(text).append(1, field_separator);
}

// Takes the escaped field `text` from the front of `combination`.
bool takeField(std::string_view& combination, std::string_view text)
{
    for (const char c : text) {
        if (needsEscape(c)) {
            if (combination.empty() || combination.front() != escape)
                return false;
            combination.remove_prefix(1);
        }
        if (combination.empty() || combination.front() != c)
            return false;
        combination.remove_prefix(1);
    }
    if (combination.empty() || combination.front() != field_separator)
        return false;
    combination.remove_prefix(1);
    return true;
}

// The digits of std::to_string: no sign, no leading zero, not zero.
std::optional<unsigned> occurrenceNamed(std::string_view digits)
{
    unsigned occurrence = 0;
    if (digits.empty() || digits.front() == '0')
        return std::nullopt;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), occurrence);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return occurrence;
}

// A combination with escapes, its fields unescaped into texts of their own.
std::optional<KeyDigest> digestOfEscaped(std::string_view combination, DigestFunction digest_of)
{
    std::array<std::string, key_fields> texts;
    std::size_t field = 0;
    for (std::size_t i = 0; i < combination.size(); ++i) {
        const char c = combination[i];
        if (c == field_separator) {
            if (++field == key_fields)
                return i + 1 == combination.size()
                           ? std::optional(digest_of({texts[0], texts[1], texts[2], texts[3], texts[4]}))
                           : std::nullopt;
        } else if (c == escape) {
            if (++i == combination.size() || !needsEscape(combination[i]))
                return std::nullopt;
            texts[field] += combination[i];
        } else {
            texts[field] += c;
        }
    }
    return std::nullopt;
}

}  // namespace

KeyFields KeyFieldsOf(const import::BookingArguments& booking, std::string_view account)
{
    // The booking's own texts give the money's side: the chosen account is
    // the one it leaves, or else the one it reaches.
    const std::string_view direction = booking[3] == account ? "Ausgabe" : "Einnahme";
    return {booking[0], booking[2], direction, booking[6], booking[7]};
}

void AppendCombination(std::string& key, const KeyFields& fields)
{
    for (const std::string_view field : fields)
        appendField(key, field);
}

bool CombinationMatches(std::string_view combination, const KeyFields& fields)
{
    for (const std::string_view field : fields)
        if (!takeField(combination, field))
            return false;
    return combination.empty();
}

std::string KeyOf(const KeyFields& fields, unsigned occurrence)
{
    std::string key;
    key.reserve(fields[0].size() + fields[1].size() + fields[3].size() + fields[4].size() + 24);
    AppendCombination(key, fields);
    return key.append(std::to_string(occurrence));
}

std::optional<KeyParts> PartsOfKey(std::string_view key)
{
    const std::size_t last_separator = key.rfind(field_separator);
    if (last_separator == std::string_view::npos)
        return std::nullopt;
    const auto occurrence = occurrenceNamed(key.substr(last_separator + 1));
    if (!occurrence)
        return std::nullopt;
    return KeyParts{key.substr(0, last_separator + 1), *occurrence};
}

std::optional<KeyDigest> DigestOfCombination(std::string_view combination, DigestFunction digest_of)
{
    if (combination.find(escape) != std::string_view::npos)
        return digestOfEscaped(combination, digest_of);
    KeyFields fields;
    for (std::string_view& field : fields) {
        const std::size_t end = combination.find(field_separator);
        if (end == std::string_view::npos)
            return std::nullopt;
        field = combination.substr(0, end);
        combination.remove_prefix(end + 1);
    }
    if (!combination.empty())
        return std::nullopt;
    return digest_of(fields);
}

std::string BookingKeys::next(const import::BookingArguments& booking)
{
    const KeyFields fields = KeyFieldsOf(booking, account_);
    const OccurrenceTable::Count count = occurrences_.count(fields, digest_of_(fields), true);
    last_in_earlier_file_ = count.in_earlier_file;
    return KeyOf(fields, count.occurrence);
}

}  // namespace velmora::record
