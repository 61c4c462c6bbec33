// Amounts in hundredths and dates as DD.MM.YYYY, row by row (through the
// date service, which reads day.month.year and ISO dates), and the text
// services they are built on.
#include <gtest/gtest.h>

#include "import/amount.h"
#include "import/qif_date.h"
#include "platform/text.h"

namespace velmora::import {
namespace {

TEST(Amount, ReducesTLinesToHundredths) {
    const std::pair<std::string_view, std::string_view> rows[] = {
        {"T-1.234,56", "-123456"},       {"T-1,234.56", "-123456"},   {"T-1.234.567,89", "-123456789"},
        {"T1,234,567.89", "123456789"},  {"T1.234.567", "123456700"}, {"T0.00", "000"},
        {"T-0.00", "-000"},              {"T25.5", "2550"},           {"T100", "10000"},
        {"T12,345", "1234"},             {"T+5.00", "+500"},          {"T", ""},
        {"T     30.00", "3000"},         {"T.5", "50"},               {"T2,345.678", "234567"},
        // No number: only the "T" and the first separators go.
        {"TBank", "Bank"},               {"T$5.00", "$500"},          {"T-", "-"},
        {"T12.34 EUR", "1234"},          {"T-1,2a.3", "-12a3"},       {"T1.2,3", "1230"},
    };
    for (const auto& [line, expected] : rows) {
        std::string out = "stale";
        amount_text(line, out);
        EXPECT_EQ(out, expected) << line;
    }
}

struct DateRow {
    std::string_view line;
    bool swap;
    std::string_view expected;  // "" when the line holds no date
};

TEST(BookingDate, ReadsTheFormsExportersWriteAndMovesLateYearsBack) {
    const DateRow rows[] = {
        {"D12/31/99", false, "31.12.1999"},   {"D 1/ 5'05", false, "05.01.2005"},   {"D8/31' 0", false, "31.08.2000"},
        {"D2/10'2020", false, "10.02.2020"},  {"D31.12.2005", false, "31.12.2005"},
        {"D5.1.05", false, "05.01.2005"},     {"D2024-01-25", false, "25.01.2024"},
        {"D05/12/2005", true, "05.12.2005"},  {"D12.31.2005", true, "31.12.2005"},
        {"D2024-01-25", true, ""},            {"D12.31.2005", false, ""},
        {"D31.12.2070", false, "31.12.2070"}, {"D1.1.2071", false, "01.01.1971"},
        {"D12/31/71", false, "31.12.1971"},
        {"D31.12.2099", false, "31.12.1999"}, {"D29.02.2000", false, "29.02.2000"},
        {"D1.1.1000", false, "01.01.1000"},   {"D29.02.2400", false, ""},  // 2300 has no 29 February
        {"D 5 . 1 . 05", false, "05.01.2005"}, {"D2024-02-29", false, "29.02.2024"},
    };
    for (const auto& row : rows) EXPECT_EQ(booking_date(row.line, row.swap), row.expected) << row.line;
    for (std::string_view line : {"D", "Dabc", "D31.02.2005", "D1.13.2005", "D1.0.2005", "D0.1.2005", "D1.1.205",
                                  "D1.1.0999", "D1.1.20055", "D03/25/099Share Withdrawal", "D2003/01/27", "D1.2.3.4",
                                  "D1..2005", "D20240102", "D-1.1.2005", "D\xC3\xA4.1.2005", "D2024-1-255", "D24-01-25", "D2023-02-29", "D0999-01-01"})
        EXPECT_EQ(booking_date(line, false), "") << line;
}

TEST(TextServices, CountCharactersNeverBytes) {
    EXPECT_EQ(text::Len("Grüße€"), 6u);
    for (auto [n, left] : {std::pair{-1LL, ""}, {1LL, "G"}, {3LL, "Grü"}, {9LL, "Grüße"}})
        EXPECT_EQ(text::Left("Grüße", n), left);
    EXPECT_EQ(text::WithoutFirst("Üb"), "b");
    EXPECT_EQ(text::WithoutFirst(""), "");
    EXPECT_EQ(text::InStr("Grüße, Welt", ","), 6u);
    EXPECT_EQ(text::InStr("a::b", "::"), 2u);
    EXPECT_EQ(text::InStr("Welt", ","), 0u);
    EXPECT_EQ(text::CountFields("a, b, , c", ", "), 4u);
    EXPECT_EQ(text::CountFields("a", ":"), 1u);
    for (auto [n, field] : {std::pair{1u, "a"}, {2u, "b"}, {3u, ""}, {4u, "c"}, {5u, ""}})
        EXPECT_EQ(text::NthField("a, b, , c", ", ", n), field);
    EXPECT_EQ(text::Replace("1.234.567", ".", ""), "1234.567");
    EXPECT_EQ(text::ReplaceAll("1'2''3", "'", "/"), "1/2//3");
    EXPECT_EQ(text::ReplaceAll("a::b::", "::", "-"), "a-b-");
    EXPECT_EQ(text::RTrim(" a b \t\r\n"), " a b");
    EXPECT_EQ(text::Trim(" \ta b\t "), "a b");
    for (auto [n, grouped] : {std::pair{999u, "999"}, {1000u, "1.000"}, {1234567u, "1.234.567"}})
        EXPECT_EQ(text::GermanCount(n), grouped);
}

}  // namespace
}  // namespace velmora::import
