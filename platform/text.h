#pragma once
// Text operations of the runtime, on UTF-8 text. Positions and counts are in
// characters (code points), never bytes, so a UTF-8 sequence is never split.
// Input is expected to be valid UTF-8 (everything inside the program is).
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::text {

std::size_t Len(std::string_view s);
// The first n characters; a negative or zero n gives "", n beyond the end gives s.
std::string_view Left(std::string_view s, long long n);
// s without its first character ("" stays "").
std::string_view WithoutFirst(std::string_view s);
// 1-based character position of the first `find` in s, 0 when absent.
std::size_t InStr(std::string_view s, std::string_view find);
// Fields separated by sep; a text without sep is one field.
std::size_t CountFields(std::string_view s, std::string_view sep);
// Field n (1-based); "" when there is no such field.
std::string_view NthField(std::string_view s, std::string_view sep, std::size_t n);
// First occurrence only / every occurrence.
std::string Replace(std::string_view s, std::string_view old_text, std::string_view new_text);
std::string ReplaceAll(std::string_view s, std::string_view old_text, std::string_view new_text);
// Trailing blanks, tabs and other ASCII white space removed.
std::string_view RTrim(std::string_view s);
// Surrounding blanks and tabs removed.
std::string_view Trim(std::string_view s);
// A count as German text writes it: digits grouped by "." («1.000»).
std::string GermanCount(std::size_t n);
// The count with its noun: «1 Buchung», «1.000 Buchungen».
std::string CountOf(std::size_t n, std::string_view one, std::string_view many);

}  // namespace velmora::text
