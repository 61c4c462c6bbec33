#pragma once
// The machine-readable forms of the preview: each booking as the booking
// script would receive its nine texts.
#include <string>
#include <string_view>

#include "import/booking_run.h"

namespace velmora::cli {

// One line: a JSON array of the nine texts, in UTF-8, nothing else.
void AppendJsonLine(std::string& out, const import::BookingArguments& booking);

// RFC 4180: a German header line, then one record per booking, each ending
// in CR LF; a text with a comma, a quote or a line end is quoted.
void AppendCsvHeader(std::string& out);
void AppendCsvRecord(std::string& out, const import::BookingArguments& booking);

}  // namespace velmora::cli
