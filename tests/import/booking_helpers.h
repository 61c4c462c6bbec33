#pragma once
// Running the import core over file bytes and collecting what it sends.
#include <set>
#include <vector>

#include "import/booking_run.h"
#include "import/file_reader.h"
#include "import/unreadable_bookings.h"

namespace velmora::import::testing {

using Options = std::set<Option>;

inline std::vector<BookingArguments> book_lines(const LineList& lines, const Options& ticked, RunReport* report = nullptr) {
    std::vector<BookingArguments> sent;
    const RunContext run{"Giro", [&](Option o) { return ticked.count(o) > 0; },
                         [&](const BookingArguments& b) { sent.push_back(b); }, {}};
    const RunReport done = buchung_erzeugen(lines, lines.upper_bound(), run);
    if (report) *report = done;
    return sent;
}

inline std::vector<BookingArguments> book(std::string_view file_bytes, const Options& ticked = {},
                                          RunReport* report = nullptr) {
    return book_lines(lines_from_bytes(file_bytes), ticked, report);
}

}  // namespace velmora::import::testing
