// Reading and booking arbitrary bytes under every option combination: the
// first byte ticks the four options, the rest is the file. Besides crashes,
// it stops on a line list or a booking that breaks what the window relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/booking_run.h"
#include "import/file_reader.h"
#include "platform/utf8.h"

namespace {

using namespace velmora::import;

void require(bool holds) {
    if (!holds) std::abort();
}

void check_lines(const LineList& lines) {
    require(!lines.empty());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        require(line.find_first_of(std::string_view("\n\r\0", 3)) == std::string_view::npos);
        require(line.empty() || (line.back() != ' ' && line.back() != '\t'));
        require(velmora::text::IsValidUtf8(line));
    }
}

bool is_day_month_year(std::string_view d) {
    return d.size() == 10 && d[2] == '.' && d[5] == '.' &&
           d.find_first_not_of("0123456789.") == std::string_view::npos;
}

// An amount read as a number goes out as digits, with a plus only as written.
bool is_amount(std::string_view betrag) {
    if (betrag.starts_with('+')) betrag.remove_prefix(1);
    return betrag.find_first_not_of("0123456789") == std::string_view::npos;
}

void check_booking(const BookingArguments& b, bool amount_unreadable) {
    require(b.size() == 9);
    require(amount_unreadable || is_amount(b[2]));
    require(b[0] == b[1] && (b[0].empty() || is_day_month_year(b[0])));
    require(b[8].empty());
    for (const auto& text : b) require(velmora::text::IsValidUtf8(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned ticked = data[0];
    const LineList lines = lines_from_bytes({reinterpret_cast<const char*>(data + 1), size - 1});
    check_lines(lines);
    const RunContext run{"Giro",
                         [ticked](Option o) { return (ticked >> static_cast<unsigned>(o)) & 1u; },
                         [](const BookingArguments& b, const BookingPlace& place) {
                             check_booking(b, place.unreadable.amount);
                         },
                         {}};
    buchung_erzeugen(lines, lines.upper_bound(), run);
    return 0;
}
