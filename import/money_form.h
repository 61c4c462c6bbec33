#pragma once
// The parts of an amount as real files write it: a number with a currency,
// a sign before or after it, or in parentheses, and blanks between the parts.
#include <cstddef>
#include <optional>
#include <string_view>

namespace velmora::import {

struct MoneyForm {
    char sign = '\0';        // '-', '+' or none
    std::string_view number;  // digits and the separators between them, as written
};

// The one number of `text` (a T line without its "T") and its direction, or
// nothing when the text holds anything else, two numbers, two signs or two
// currencies. Empty text, or blanks only, is no number either.
std::optional<MoneyForm> money_form(std::string_view text);

// Whether the text holds nothing but blanks (also U+00A0, U+202F), or nothing.
bool blanks_only(std::string_view text);

// The length of the separator between digits that starts `text`, or 0:
// ".", ",", blanks (also U+00A0, U+202F) and apostrophes (' and ’).
std::size_t separator_length(std::string_view text);

}  // namespace velmora::import
