// Reading date texts into calendar dates: numeric dates in one pass over
// their characters, eight digits, and dates with a month name.
#include "platform/date.h"

#include <chrono>

#include "platform/month_names.h"

namespace velmora {

namespace {

// Years of one or two digits are read in this century.
constexpr int short_year_century = 2000;
// Four-digit years below this would not print as four digits.
constexpr int earliest_four_digit_year = 1000;
constexpr std::size_t year_in_front_digits = 4;
constexpr std::size_t compact_date_digits = 8;

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_separator(char c) { return c == '.' || c == '/' || c == '\'' || c == '-'; }

// The value of a text of one to max_digits ASCII digits, or -1.
int digits_value(std::string_view s, std::size_t max_digits) {
    if (s.empty() || s.size() > max_digits) return -1;
    int value = 0;
    for (char c : s) {
        if (!is_digit(c)) return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

int day_or_month_value(std::string_view s) { return digits_value(s, 2); }

// One or two digits are a year of this century; four digits a year from 1000 on.
int year_value(std::string_view s) {
    const int value = digits_value(s, 4);
    if (value < 0) return -1;
    if (s.size() <= 2) return short_year_century + value;
    return value >= earliest_four_digit_year ? value : -1;
}

// Walks a text from the front, one run of characters at a time.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    bool at_end() const { return position_ == text_.size(); }
    char next() const { return text_[position_]; }
    void skip() { ++position_; }
    void skip_blanks() { take_while(is_blank); }

    template <class Belongs>
    std::string_view take_while(Belongs belongs) {
        const std::size_t start = position_;
        while (!at_end() && belongs(next())) ++position_;
        return text_.substr(start, position_ - start);
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

struct NumericParts {
    std::array<std::string_view, 3> digits;
    std::array<char, 2> separators{};
};

std::optional<NumericParts> numeric_parts(std::string_view text) {
    Scanner scan(text);
    NumericParts parts;
    for (std::size_t part = 0; part < parts.digits.size(); ++part) {
        if (part > 0) {
            if (scan.at_end() || !is_separator(scan.next())) return std::nullopt;
            parts.separators[part - 1] = scan.next();
            scan.skip();
        }
        scan.skip_blanks();
        parts.digits[part] = scan.take_while(is_digit);
        if (parts.digits[part].empty()) return std::nullopt;
        scan.skip_blanks();
    }
    if (!scan.at_end()) return std::nullopt;
    return parts;
}

bool same_separators(const NumericDate& date, char separator) {
    return date.separators[0] == separator && date.separators[1] == separator;
}

// «20240102»: year, month and day without separators.
std::optional<Date> compact_date(std::string_view text) {
    Scanner scan(text);
    scan.skip_blanks();
    const std::string_view digits = scan.take_while(is_digit);
    scan.skip_blanks();
    if (!scan.at_end() || digits.size() != compact_date_digits) return std::nullopt;
    return CalendarDate(year_value(digits.substr(0, 4)), day_or_month_value(digits.substr(4, 2)),
                        day_or_month_value(digits.substr(6, 2)));
}

bool separates_words(char c) { return is_blank(c) || c == '.' || c == ',' || c == '-' || c == '/'; }
bool belongs_to_word(char c) { return !separates_words(c); }

// «26 Jan 2026», «26. Januar 2026», «Jan 26, 2026», «2026-Jan-26»: three
// words, one of them a month's name, which settles the order.
std::optional<Date> date_with_month_name(std::string_view text) {
    Scanner scan(text);
    std::array<std::string_view, 3> words;
    for (std::string_view& word : words) {
        scan.take_while(separates_words);
        word = scan.take_while(belongs_to_word);
        if (word.empty()) return std::nullopt;
    }
    scan.take_while(separates_words);
    if (!scan.at_end()) return std::nullopt;
    const auto month = [](std::string_view word) { return static_cast<int>(MonthOfName(word).value_or(0)); };
    if (month(words[1]) != 0 && words[0].size() == year_in_front_digits)
        return CalendarDate(year_value(words[0]), month(words[1]), day_or_month_value(words[2]));
    if (month(words[1]) != 0)
        return CalendarDate(year_value(words[2]), month(words[1]), day_or_month_value(words[0]));
    if (month(words[0]) != 0)
        return CalendarDate(year_value(words[2]), month(words[0]), day_or_month_value(words[1]));
    return std::nullopt;
}

}  // namespace

std::optional<Date> CalendarDate(int year, int month, int day) {
    if (year < 0 || month < 0 || day < 0) return std::nullopt;
    const std::chrono::year_month_day ymd{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                          std::chrono::day{static_cast<unsigned>(day)}};
    if (!ymd.ok()) return std::nullopt;
    return Date{year, static_cast<unsigned>(month), static_cast<unsigned>(day)};
}

std::optional<NumericDate> ReadNumericDate(std::string_view text) {
    const auto parts = numeric_parts(text);
    if (!parts) return std::nullopt;
    const auto& [first, second, third] = parts->digits;
    NumericDate date;
    date.separators = parts->separators;
    if (first.size() == year_in_front_digits) {
        date.year_first = true;
        date.day_first = date.month_first =
            CalendarDate(year_value(first), day_or_month_value(second), day_or_month_value(third));
        return date;
    }
    const int year = year_value(third);
    date.day_first = CalendarDate(year, day_or_month_value(second), day_or_month_value(first));
    date.month_first = CalendarDate(year, day_or_month_value(first), day_or_month_value(second));
    return date;
}

std::optional<Date> ParseDate(std::string_view text) {
    if (const auto numeric = ReadNumericDate(text)) {
        if (numeric->year_first || same_separators(*numeric, '.') || same_separators(*numeric, '-'))
            return numeric->day_first;
        return std::nullopt;
    }
    if (const auto date = compact_date(text)) return date;
    return date_with_month_name(text);
}

}  // namespace velmora
