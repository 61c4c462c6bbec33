// Reducing a T line to the amount in hundredths, or passing a non-number on.
#include "import/amount.h"

#include <algorithm>

#include "platform/text.h"

namespace velmora::import {

namespace {

constexpr std::size_t decimals_in_hundredths = 2;

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_separator(char c) { return c == '.' || c == ','; }

bool looks_like_number(std::string_view digits_and_separators) {
    return std::all_of(digits_and_separators.begin(), digits_and_separators.end(),
                       [](char c) { return is_digit(c) || is_separator(c); }) &&
           std::any_of(digits_and_separators.begin(), digits_and_separators.end(), is_digit);
}

// Where the decimal separator stands, or npos when every separator groups.
std::size_t decimal_separator(std::string_view number) {
    const std::size_t last = number.find_last_of(".,");
    if (last == std::string_view::npos) return last;
    const bool only_one_of_its_kind = std::count(number.begin(), number.end(), number[last]) == 1;
    return only_one_of_its_kind ? last : std::string_view::npos;
}

bool append_hundredths(std::string_view body, std::string& out) {
    const bool has_sign = !body.empty() && (body.front() == '-' || body.front() == '+');
    const char sign = has_sign ? body.front() : '\0';
    if (has_sign) body.remove_prefix(1);
    if (!looks_like_number(body)) return false;
    const std::size_t decimal = decimal_separator(body);
    const std::string_view whole = body.substr(0, decimal);
    const std::string_view fraction =
        decimal == std::string_view::npos ? std::string_view{} : body.substr(decimal + 1, decimals_in_hundredths);
    out.clear();
    if (has_sign) out.push_back(sign);
    std::copy_if(whole.begin(), whole.end(), std::back_inserter(out), is_digit);
    out.append(fraction);
    out.append(decimals_in_hundredths - fraction.size(), '0');
    return true;
}

// Cuts a text two characters behind the first `separator`, when it has one.
void cut_after_two_decimals(std::string& a, std::string_view separator) {
    if (const std::size_t p = text::InStr(a, separator); p > 0)
        a = std::string(text::Left(a, static_cast<long long>(p) + 2));
}

// A text that is no number goes through the plain steps: one grouping
// separator out, cut two characters after the first separator, "T" off, the
// first "." and "," out.
void strip_non_number(std::string_view line, std::string& out) {
    std::string a(line);
    const std::size_t dot = text::InStr(a, ".");
    const std::size_t comma = text::InStr(a, ",");
    if (dot > 0 && comma > 0) a = text::Replace(a, dot < comma ? "." : ",", "");
    cut_after_two_decimals(a, ",");
    cut_after_two_decimals(a, ".");
    a = text::Replace(text::Replace(text::WithoutFirst(a), ".", ""), ",", "");
    out = std::move(a);
}

}  // namespace

void amount_text(std::string_view t_line, std::string& out) {
    if (append_hundredths(text::Trim(text::WithoutFirst(t_line)), out)) return;
    strip_non_number(t_line, out);
}

}  // namespace velmora::import
