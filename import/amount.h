#pragma once
// The amount of a QIF T line as the booking script reads it.
#include <string>
#include <string_view>

namespace velmora::import {

enum class AmountReading {
    number,      // `out` is the sign as written and the amount in hundredths
    empty,       // a bare "T": `out` is empty
    unreadable,  // no amount in any form read: `out` is what the plain steps leave
};

// Rewrites a T line (its "T" included) into the amount text that follows it.
//
// A number becomes its sign ("-", "+" or none) and the amount in hundredths,
// digits only, every grouping separator removed («T-1.234,56» gives
// «-123456», «T100» gives «10000»). The last "." or "," is the decimal
// separator unless its kind occurs more than once; decimals beyond the second
// are cut, missing ones filled with "0". Around the number may stand, with
// or without blanks: one currency sign or code (€ $ £ ¥ Fr., EUR USD GBP CHF
// JPY in any case), dropped, since the booking carries no currency; one
// minus before or after the currency sign or after the number, or a plus
// before it; or parentheses, which mean minus. Groups are separated by ".",
// ",", blanks (also U+00A0, U+202F) or apostrophes (' and ’), one kind per
// number, and every group after the first has exactly three digits: «1 234»
// is one number, «12 34» two.
//
// Whatever is no number in these forms is unreadable: letters, two numbers,
// an exponent, a lone sign or currency sign, two signs, a sign inside
// parentheses, groups of another size, more than fifteen digits before the
// decimal separator, and a lone separator with three digits behind it and no
// more than three before («1.234», «12,345»), which may be a grouping or
// decimals. Such a text goes through the plain steps only (the "T" and the
// first separators out), so nothing in it is guessed at.
AmountReading amount_text(std::string_view t_line, std::string& out);

}  // namespace velmora::import
