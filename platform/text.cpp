// Text operations that count characters of UTF-8 text, working on views.
#include "platform/text.h"

#include <algorithm>

namespace velmora::text {

namespace {

bool is_continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset just behind the first n characters (or the size when s is shorter).
std::size_t offset_after_chars(std::string_view s, std::size_t n) {
    std::size_t i = 0;
    while (n > 0 && i < s.size()) {
        ++i;
        while (i < s.size() && is_continuation(s[i])) ++i;
        --n;
    }
    return i;
}

// The separators and patterns here are mostly one character long.
std::size_t find_text(std::string_view s, std::string_view find, std::size_t from = 0) {
    return find.size() == 1 ? s.find(find.front(), from) : s.find(find, from);
}

bool is_ascii_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

std::size_t Len(std::string_view s) {
    return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) { return !is_continuation(c); }));
}

std::string_view Left(std::string_view s, long long n) {
    if (n <= 0) return {};
    return s.substr(0, offset_after_chars(s, static_cast<std::size_t>(n)));
}

std::string_view WithoutFirst(std::string_view s) { return s.substr(offset_after_chars(s, 1)); }

std::size_t InStr(std::string_view s, std::string_view find) {
    const auto at = find_text(s, find);
    if (at == std::string_view::npos) return 0;
    return Len(s.substr(0, at)) + 1;
}

std::size_t CountFields(std::string_view s, std::string_view sep) {
    if (sep.empty()) return 1;
    std::size_t fields = 1;
    for (auto at = find_text(s, sep); at != std::string_view::npos; at = find_text(s, sep, at + sep.size())) ++fields;
    return fields;
}

std::string_view NthField(std::string_view s, std::string_view sep, std::size_t n) {
    if (n == 0) return {};
    if (sep.empty()) return n == 1 ? s : std::string_view{};
    std::size_t begin = 0;
    for (std::size_t field = 1; field < n; ++field) {
        const auto at = find_text(s, sep, begin);
        if (at == std::string_view::npos) return {};
        begin = at + sep.size();
    }
    const auto end = find_text(s, sep, begin);
    return s.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
}

std::string Replace(std::string_view s, std::string_view old_text, std::string_view new_text) {
    const auto at = old_text.empty() ? std::string_view::npos : find_text(s, old_text);
    if (at == std::string_view::npos) return std::string(s);
    std::string out;
    out.reserve(s.size() - old_text.size() + new_text.size());
    out.append(s.substr(0, at)).append(new_text).append(s.substr(at + old_text.size()));
    return out;
}

std::string ReplaceAll(std::string_view s, std::string_view old_text, std::string_view new_text) {
    if (old_text.empty()) return std::string(s);
    std::string out;
    out.reserve(s.size());
    std::size_t begin = 0;
    for (auto at = find_text(s, old_text); at != std::string_view::npos; at = find_text(s, old_text, begin)) {
        out.append(s.substr(begin, at - begin)).append(new_text);
        begin = at + old_text.size();
    }
    out.append(s.substr(begin));
    return out;
}

std::string_view RTrim(std::string_view s) {
    auto end = s.size();
    while (end > 0 && is_ascii_space(s[end - 1])) --end;
    return s.substr(0, end);
}

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t begin = 0;
    auto end = s.size();
    while (begin < end && blank(s[begin])) ++begin;
    while (end > begin && blank(s[end - 1])) --end;
    return s.substr(begin, end - begin);
}

std::string GermanCount(std::size_t n) {
    const std::string digits = std::to_string(n);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += '.';
        out += digits[i];
    }
    return out;
}

std::string CountOf(std::size_t n, std::string_view one, std::string_view many) {
    return GermanCount(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace velmora::text
