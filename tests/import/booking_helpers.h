#pragma once
// Running the import core over file bytes and collecting what it sends.
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "import/booking_run.h"
#include "import/file_reader.h"
#include "import/unreadable_bookings.h"

namespace velmora::import::testing {

using Options = std::set<Option>;

// A table row's name after its input: letters and digits as they are, the
// rest spelt out («D28.02'2009» is D28Pkt02Apo2009), so that no two meet.
inline std::string row_name(std::string_view input) {
    std::string name;
    for (const char c : input) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        switch (plain ? 'a' : c) {
        case 'a': name += c; break;
        case ' ': name += '_'; break;
        case '.': name += "Pkt"; break;
        case '/': name += "Str"; break;
        case '\'': name += "Apo"; break;
        case '-': name += "Min"; break;
        case ',': name += "Kom"; break;
        default: {
            char hex[4];
            std::snprintf(hex, sizeof hex, "x%02X", static_cast<unsigned char>(c));
            name += hex;
        }
        }
    }
    return name;
}

inline std::vector<BookingArguments> book_lines(const LineList& lines, const Options& ticked, RunReport* report = nullptr) {
    std::vector<BookingArguments> sent;
    const RunContext run{"Giro", [&](Option o) { return ticked.count(o) > 0; },
                         [&](const BookingArguments& b, const BookingPlace&) { sent.push_back(b); }, {}};
    const RunReport done = buchung_erzeugen(lines, lines.upper_bound(), run);
    if (report) *report = done;
    return sent;
}

inline std::vector<BookingArguments> book(std::string_view file_bytes, const Options& ticked = {},
                                          RunReport* report = nullptr) {
    return book_lines(lines_from_bytes(file_bytes), ticked, report);
}

}  // namespace velmora::import::testing
