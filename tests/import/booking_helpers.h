#pragma once
// Running the import core over file bytes and collecting what it sends.
#include <initializer_list>
#include <set>
#include <string_view>
#include <vector>

#include "import/booking_run.h"
#include "import/file_reader.h"

namespace velmora::import::testing {

using Options = std::set<Option>;

inline std::vector<BookingArguments> book_lines(const LineList& lines, const Options& ticked,
                                                std::string_view account = "Giro") {
    std::vector<BookingArguments> sent;
    const RunContext run{account, [&](Option o) { return ticked.count(o) > 0; },
                         [&](const BookingArguments& b) { sent.push_back(b); }, {}};
    buchung_erzeugen(lines, lines.upper_bound(), run);
    return sent;
}

inline std::vector<BookingArguments> book(std::string_view file_bytes, const Options& ticked = {},
                                          std::string_view account = "Giro") {
    return book_lines(lines_from_bytes(file_bytes), ticked, account);
}

}  // namespace velmora::import::testing
