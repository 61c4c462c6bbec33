// Inputs no exporter writes, a few MB each: they must be read and booked in
// one pass, without a crash. A quadratic step shows up as a test that never ends.
#include <gtest/gtest.h>

#include "booking_helpers.h"

namespace velmora::import {
namespace {

constexpr std::size_t big = std::size_t{4} << 20;

std::string repeated(std::string_view head, std::string_view piece, std::string_view tail = "") {
    std::string s(head);
    while (s.size() < big) s += piece;
    return s += tail;
}

TEST(HostileInput, IsBookedWithoutCrashing) {
    const std::pair<const char*, std::string> rows[] = {
        {"one line without line end", repeated("T", "1,2.")},
        {"commas and dots", repeated("T", ",.", "\n^\n")},
        {"date of separators", repeated("D", "/'.", "\n^\n")},
        {"category of colons", repeated("L[", ":", "\n^\n")},
        {"invalid UTF-8", repeated("", "\xC3\xE4\xF4\x90\xED\xA0\n")},
        {"line ends only", repeated("", "\r\n\r\r")},
        {"binary", repeated("", std::string_view("\0\xFF\x80\r\x9D\xC3\x01^", 8))},
    };
    const auto book = [](const std::string& bytes) {
        const auto lines = lines_from_bytes(bytes);
        const RunContext run{"Giro", [](Option) { return true; },
                             [](const BookingArguments& b) { ASSERT_EQ(b.size(), 9u); }, {}};
        return buchung_erzeugen(lines, lines.upper_bound(), run).sent;
    };
    for (const auto& [name, bytes] : rows) EXPECT_LT(book(bytes), big) << name;
    EXPECT_EQ(book(repeated("", "^\n")), big / 2);
}

}  // namespace
}  // namespace velmora::import
