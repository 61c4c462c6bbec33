// Amounts in hundredths and dates as DD.MM.YYYY, row by row.
#include <gtest/gtest.h>

#include "import/amount.h"
#include "import/qif_date.h"

namespace velmora::import {
namespace {

struct AmountRow {
    std::string_view line;
    std::string_view expected;  // sign as written, then the amount text
};

TEST(Amount, ReducesTLinesToHundredths) {
    const AmountRow rows[] = {
        {"T-1.234,56", "-123456"},       {"T-1,234.56", "-123456"},   {"T-1.234.567,89", "-123456789"},
        {"T1,234,567.89", "123456789"},  {"T1.234.567", "123456700"}, {"T0.00", "000"},
        {"T-0.00", "-000"},              {"T25.5", "2550"},           {"T100", "10000"},
        {"T12,345", "1234"},             {"T+5.00", "+500"},          {"T", ""},
        {"T     30.00", "3000"},         {"T.5", "50"},               {"T2,345.678", "234567"},
        // No number: only the "T" and the first separators go.
        {"TBank", "Bank"},               {"T$5.00", "$500"},          {"T-", "-"},
        {"T12.34 EUR", "1234"},          {"T-1,2a.3", "-12a3"},
    };
    for (const auto& row : rows) {
        std::string out = "stale";
        amount_text(row.line, out);
        EXPECT_EQ(out, row.expected) << row.line;
    }
}

struct DateRow {
    std::string_view line;
    bool swap;
    std::string_view expected;  // "" when the line holds no date
};

TEST(BookingDate, ReadsTheFormsExportersWriteAndMovesLateYearsBack) {
    const DateRow rows[] = {
        {"D12/31/99", false, "31.12.1999"},   {"D1/5'05", false, "05.01.2005"},
        {"D 1/ 5'05", false, "05.01.2005"},   {"D8/31' 0", false, "31.08.2000"},
        {"D2/10'2020", false, "10.02.2020"},  {"D31.12.2005", false, "31.12.2005"},
        {"D5.1.05", false, "05.01.2005"},     {"D2024-01-25", false, "25.01.2024"},
        {"D05/12/2005", true, "05.12.2005"},  {"D12.31.2005", true, "31.12.2005"},
        {"D2024-01-25", true, ""},            {"D12.31.2005", false, ""},
        {"D31.12.2070", false, "31.12.2070"}, {"D1.1.2071", false, "01.01.1971"},
        {"D12/31/70", false, "31.12.2070"},   {"D12/31/71", false, "31.12.1971"},
        {"D31.12.2099", false, "31.12.1999"}, {"D29.02.2000", false, "29.02.2000"},
        {"D29.02.2400", false, ""},  // 2300 has no 29 February
    };
    for (const auto& row : rows) EXPECT_EQ(booking_date(row.line, row.swap), row.expected) << row.line;
}

TEST(BookingDate, RejectsWhatIsNoDate) {
    for (std::string_view line : {"D", "Dabc", "D31.02.2005", "D1.13.2005", "D1.0.2005", "D0.1.2005", "D1.1.205",
                                  "D1.1.0999", "D1.1.20055", "D03/25/099Share Withdrawal", "D2003/01/27", "D1.2.3.4",
                                  "D1..2005", "D20240102", "D-1.1.2005", "D\xC3\xA4.1.2005"})
        EXPECT_EQ(booking_date(line, false), "") << line;
}

}  // namespace
}  // namespace velmora::import
