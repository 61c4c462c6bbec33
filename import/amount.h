#pragma once
// The amount of a QIF T line as the booking script reads it.
#include <string>
#include <string_view>

namespace velmora::import {

// Rewrites a T line (its "T" included) into the amount text that follows it:
// a number becomes its sign as written ("-", "+" or none) and the amount in
// hundredths, digits only, every grouping separator removed («T-1.234,56»
// gives «-123456», «T100» gives «10000»). The last separator is the decimal
// one unless its kind occurs more than once; decimals beyond the second are
// cut, missing ones filled with "0"; blanks around the number do not count.
// A text that is no number (empty, letters, a currency sign) is only stripped
// of its "T" and of its first separators, so nothing in it is guessed at.
void amount_text(std::string_view t_line, std::string& out);

}  // namespace velmora::import
