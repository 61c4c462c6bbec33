// Reading a T text part by part: blanks between the parts, one number, at
// most one currency and one sign. The text is UTF-8; every sign looked for is
// compared as a whole sequence, so no multi-byte character is split.
#include "import/money_form.h"

#include <algorithm>
#include <array>
#include <utility>

namespace velmora::import {

namespace {

constexpr std::array<std::string_view, 4> blanks = {" ", "\t", "\u00A0", "\u202F"};
constexpr std::array<std::string_view, 5> currency_signs = {"€", "$", "£", "¥", "Fr."};
constexpr std::array<std::string_view, 5> currency_codes = {"EUR", "USD", "GBP", "CHF", "JPY"};
// Only these may group digits besides "." and ",".
constexpr std::array<std::string_view, 5> grouping_only = {" ", "\u00A0", "\u202F", "'", "’"};

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

template <std::size_t n>
std::size_t length_of_any(std::string_view text, const std::array<std::string_view, n>& candidates) {
    for (const std::string_view candidate : candidates)
        if (text.starts_with(candidate)) return candidate.size();
    return 0;
}

std::size_t blank_length(std::string_view text) { return length_of_any(text, blanks); }

// "EUR" and its kin in any case, but not the start of a longer word.
std::size_t code_length(std::string_view text) {
    for (const std::string_view code : currency_codes) {
        if (text.size() < code.size()) continue;
        const bool same = std::equal(code.begin(), code.end(), text.begin(), [](char a, char b) { return a == upper(b); });
        if (same && (text.size() == code.size() || !is_letter(text[code.size()]))) return code.size();
    }
    return 0;
}

std::size_t currency_length(std::string_view text) {
    const std::size_t sign = length_of_any(text, currency_signs);
    return sign > 0 ? sign : code_length(text);
}

bool starts_number(std::string_view text) {
    return !text.empty() && (is_digit(text[0]) || ((text[0] == '.' || text[0] == ',') && text.size() > 1 && is_digit(text[1])));
}

// Digits and the separators between them; a "." or "," may also end it («25.»).
std::size_t number_length(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size()) {
        if (is_digit(text[end])) {
            ++end;
            continue;
        }
        const std::size_t separator = separator_length(text.substr(end));
        if (separator == 0) break;
        if (end + separator < text.size() && is_digit(text[end + separator])) {
            end += separator;
            continue;
        }
        if (text[end] == '.' || text[end] == ',') ++end;
        break;
    }
    return end;
}

// Checks each part against those met before it.
class Parts {
public:
    bool number(std::string_view digits) {
        if (!number_.empty()) return false;
        number_ = digits;
        return true;
    }
    bool currency() { return ++currencies_ == 1; }
    // A minus may follow the number, but not a separator («25.-» is 25 in
    // Swiss writing); a plus stands only before it.
    bool sign(char s) {
        if (sign_ != '\0') return false;
        if (!number_.empty() && (s == '+' || !is_digit(number_.back()))) return false;
        sign_ = s;
        return true;
    }
    bool open() { return number_.empty() && !std::exchange(opened_, true); }
    bool close() { return !number_.empty() && opened_ && !std::exchange(closed_, true); }

    // Parentheses are a minus of their own: with another sign they say too much.
    std::optional<MoneyForm> form() const {
        if (number_.empty() || opened_ != closed_ || (opened_ && sign_ != '\0')) return std::nullopt;
        return MoneyForm{opened_ ? '-' : sign_, number_};
    }

private:
    std::string_view number_;
    std::size_t currencies_ = 0;
    char sign_ = '\0';
    bool opened_ = false;
    bool closed_ = false;
};

// The length of the part that starts `text`, or 0 when none fits there.
std::size_t take_part(std::string_view text, Parts& parts) {
    if (const std::size_t blank = blank_length(text); blank > 0) return blank;
    if (starts_number(text)) {
        const std::size_t length = number_length(text);
        return parts.number(text.substr(0, length)) ? length : 0;
    }
    if (text[0] == '-' || text[0] == '+') return parts.sign(text[0]) ? 1 : 0;
    if (text[0] == '(') return parts.open() ? 1 : 0;
    if (text[0] == ')') return parts.close() ? 1 : 0;
    const std::size_t currency = currency_length(text);
    return currency > 0 && parts.currency() ? currency : 0;
}

}  // namespace

std::size_t separator_length(std::string_view text) {
    if (text.starts_with('.') || text.starts_with(',')) return 1;
    return length_of_any(text, grouping_only);
}

bool blanks_only(std::string_view text) {
    for (std::size_t blank = 0; !text.empty(); text.remove_prefix(blank))
        if ((blank = blank_length(text)) == 0) return false;
    return true;
}

std::optional<MoneyForm> money_form(std::string_view text) {
    Parts parts;
    for (std::size_t taken = 0; !text.empty(); text.remove_prefix(taken))
        if ((taken = take_part(text, parts)) == 0) return std::nullopt;
    return parts.form();
}

}  // namespace velmora::import
