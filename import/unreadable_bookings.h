#pragma once
// Where the bookings are that would go out without a date or without an
// amount, those the booking script could not receive, and the records cut
// off without "^", in the same words in the window and in velmora-import.
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

// "1 Buchung mit zu langem Text (Zeile 7)", from a run's `too_long`.
std::string bookings_too_long(const std::vector<std::int64_t>& lines);

// "2 Datensätze vor einer Kopfzeile ohne „^“ (ab Zeilen 5, 20)", from a
// run's `unclosed_before_header`.
std::string records_cut_by_header(const std::vector<std::int64_t>& first_lines);

}  // namespace velmora::import
