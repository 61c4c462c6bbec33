#pragma once
// What the user is told about bookings that would go out without a date, in
// the same words by the window and by velmora-import: where they are, and
// whether "Monat/Tag tauschen" the other way would read them all.
#include <cstdint>
#include <string>
#include <vector>

#include "import/line_list.h"

namespace velmora::import {

// "2 Buchungen ohne lesbares Datum (Zeile 6, ohne D-Zeile)"; at most ten
// places are named, then "…". `undated` as a run reports it.
std::string undated_bookings(const std::vector<std::int64_t>& undated);

// True when every one of them has a D line, and each of those reads as a
// date with the month/day swap the other way than `swapped`.
bool toggled_swap_reads_every_date(const LineList& lines, const std::vector<std::int64_t>& undated, bool swapped);

}  // namespace velmora::import
