// Telling transaction blocks from list blocks by their header line, and
// reading the date order an option line declares.
#include "import/qif_section.h"

#include <algorithm>
#include <array>

#include "platform/text.h"

namespace velmora::import {

namespace {

constexpr std::array<std::string_view, 6> transaction_types = {"Bank", "Cash", "CCard", "Oth A", "Oth L", "Invst"};

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return lower(x) == lower(y); });
}

bool starts_ignoring_case(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && equal_ignoring_case(s.substr(0, prefix.size()), prefix);
}

}  // namespace

std::optional<Section> section_of_header(std::string_view line) {
    if (!line.starts_with('!')) return std::nullopt;
    const std::string_view header = line.substr(1);
    if (equal_ignoring_case(text::Trim(header), "Account")) return Section::list;
    constexpr std::string_view type_prefix = "Type:";
    if (!starts_ignoring_case(header, type_prefix)) return std::nullopt;
    const std::string_view type = text::Trim(header.substr(type_prefix.size()));
    const bool booked = std::any_of(transaction_types.begin(), transaction_types.end(),
                                    [&](std::string_view t) { return equal_ignoring_case(type, t); });
    return booked ? Section::transactions : Section::list;
}

std::optional<DateOrder> declared_date_order(std::string_view line) {
    constexpr std::string_view option_prefix = "!Option:";
    if (!starts_ignoring_case(line, option_prefix)) return std::nullopt;
    const std::string_view option = text::Trim(line.substr(option_prefix.size()));
    if (equal_ignoring_case(option, "MDY")) return DateOrder::month_first;
    if (equal_ignoring_case(option, "DMY")) return DateOrder::day_first;
    return std::nullopt;
}

}  // namespace velmora::import
