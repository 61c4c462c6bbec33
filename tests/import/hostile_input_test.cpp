// Inputs no exporter writes, a few MB each, under every option: read and booked
// in one pass, without a crash. A quadratic step shows as a test that never ends.
#include <gtest/gtest.h>

#include "booking_helpers.h"

namespace velmora::import {
namespace {

TEST(HostileInput, IsBookedWithoutCrashing) {
    constexpr std::size_t big = std::size_t{4} << 20;
    for (const auto& [head, piece] : {std::pair<std::string, std::string>{"T", "1,2."}, {"T", ",.\n"}, {"D", "/'."},
                                      {"L[", ":"}, {"", "\xC3\xE4\xF4\x90\xED\xA0\n"}, {"", "\r\n\r\r"},
                                      {"", std::string("\0\xFF\x80\r\x9D\xC3\x01^", 8)}, {"", "^\n"}}) {
        std::string bytes = head;
        while (bytes.size() < big) bytes += piece;
        const auto lines = lines_from_bytes(bytes + "\n^\n");
        const RunContext run{"Giro", [](Option) { return true; },
                             [](const BookingArguments& b, const BookingPlace&) { ASSERT_EQ(b.size(), 9u); }, {}};
        EXPECT_LE(buchung_erzeugen(lines, lines.upper_bound(), run).sent, big / 2 + 1) << head << piece;
    }
}

}  // namespace
}  // namespace velmora::import
