// Reducing a T line to the amount in hundredths, or passing a non-number on.
#include "import/amount.h"

#include <algorithm>

#include "import/money_form.h"
#include "platform/text.h"

namespace velmora::import {

namespace {

constexpr std::size_t decimals_in_hundredths = 2;
// Three digits behind a lone separator may be decimals or a thousands group.
constexpr std::size_t digits_per_group = 3;
// No account holds a thousand trillion: a longer whole part is a reference or
// card number in the wrong line, not an amount.
constexpr std::size_t most_whole_digits = 15;

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool all_digits(std::string_view s) { return std::all_of(s.begin(), s.end(), is_digit); }
std::size_t digits_in(std::string_view s) {
    return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), is_digit));
}

// Where the decimal separator stands, or npos when every separator groups.
std::size_t decimal_separator(std::string_view number) {
    const std::size_t last = number.find_last_of(".,");
    if (last == std::string_view::npos) return last;
    const bool only_one_of_its_kind = std::count(number.begin(), number.end(), number[last]) == 1;
    return only_one_of_its_kind ? last : std::string_view::npos;
}

// The digits of a whole part in groups of three behind the first, all
// separated alike; the separators are dropped. False for any other form.
bool append_grouped_digits(std::string_view whole, std::string& out) {
    std::string_view separator;
    bool first_group = true;
    while (true) {
        const auto group_end = std::find_if_not(whole.begin(), whole.end(), is_digit);
        const auto group = static_cast<std::size_t>(group_end - whole.begin());
        const bool fits = first_group ? group <= digits_per_group : group == digits_per_group;
        if (!fits && (!first_group || group_end != whole.end())) return false;
        out.append(whole.substr(0, group));
        whole.remove_prefix(group);
        if (whole.empty()) return true;
        const std::string_view next = whole.substr(0, separator_length(whole));
        if (next.empty() || (!separator.empty() && next != separator)) return false;
        separator = next;
        whole.remove_prefix(next.size());
        first_group = false;
    }
}

bool append_hundredths(const MoneyForm& form, std::string& out) {
    const std::string_view number = form.number;
    const std::size_t decimal = decimal_separator(number);
    const std::string_view whole = number.substr(0, decimal);
    const std::string_view fraction = decimal == std::string_view::npos ? std::string_view{} : number.substr(decimal + 1);
    const bool grouping_or_decimals = all_digits(whole) && whole.size() >= 1 && whole.size() <= digits_per_group &&
                                      fraction.size() == digits_per_group;
    if (!all_digits(fraction) || grouping_or_decimals) return false;
    out.clear();
    if (form.sign != '\0') out.push_back(form.sign);
    if (!append_grouped_digits(whole, out) || digits_in(whole) > most_whole_digits) return false;
    const std::string_view kept = fraction.substr(0, decimals_in_hundredths);
    out.append(kept);
    out.append(decimals_in_hundredths - kept.size(), '0');
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

AmountReading amount_text(std::string_view t_line, std::string& out) {
    const std::string_view written = text::WithoutFirst(t_line);
    if (blanks_only(written)) {
        out.clear();
        return AmountReading::empty;
    }
    if (const auto form = money_form(written); form && append_hundredths(*form, out)) return AmountReading::number;
    strip_non_number(t_line, out);
    return AmountReading::unreadable;
}

}  // namespace velmora::import
