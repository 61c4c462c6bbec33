#pragma once
// Where the bookings are that would go out without a date or without an
// amount, in the same words in the window and in velmora-import.
#include <cstdint>
#include <string>
#include <vector>

namespace velmora::import {

// "2 Buchungen ohne lesbares Datum (Zeilen 6, 9, ohne D-Zeile)"; at most ten
// places are named, then "…". `undated` as a run reports it.
std::string undated_bookings(const std::vector<std::int64_t>& undated);

// "2 Buchungen ohne lesbaren Betrag (Zeilen 14, 22)", from a run's
// `unreadable_amounts`.
std::string bookings_without_amount(const std::vector<std::int64_t>& amount_lines);

}  // namespace velmora::import
