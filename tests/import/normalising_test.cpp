// Amounts in hundredths and dates as DD.MM.YYYY, row by row (through the
// date service, which reads day.month.year and ISO dates), and the text
// services they are built on.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>

#include "booking_helpers.h"
#include "import/qif_date.h"
#include "platform/text.h"

namespace velmora::import {
namespace {

enum class Way { in, out };

struct AmountRow {
    std::string_view line;
    std::string_view betrag;  // as the booking script gets it
    Way way;
    bool unreadable = false;  // named before a send; "Trotzdem senden" sends `betrag`
};

void PrintTo(const AmountRow& row, std::ostream* out) { *out << row.line; }

using enum Way;
const AmountRow amount_rows[] = {
    {"T-1.234,56", "123456", out},          {"T-1,234.56", "123456", out},     {"T-1.234.567,89", "123456789", out},
    {"T1,234,567.89", "123456789", in},     {"T1.234.567", "123456700", in},   {"T0.00", "000", in},
    {"T-0.00", "000", out},                 {"T25.5", "2550", in},             {"T100", "10000", in},
    {"T+5.00", "+500", in},                 {"T", "", in},                     {"T     30.00", "3000", in},
    {"T.5", "50", in},                      {"T25.", "2500", in},              {"T1,5", "150", in},
    {"T2,345.678", "234567", in},           {"T1.234,567", "123456", in},      {"T ", "", in},
    // Currencies, signs and groupings of real exports.
    {"T$1,295.76", "129576", in},           {"T€ -12,50", "1250", out},        {"T(15.00)", "1500", out},
    {"T1 234,56", "123456", in},            {"T1 234,56", "123456", in},  {"T-1 234,56", "123456", out},
    {"T-1'234.50", "123450", out},          {"T1’234’567.89", "123456789", in}, {"T12,50-", "1250", out},
    {"T12,50 -", "1250", out},              {"T- 5", "500", out},              {"T-$1,295.76", "129576", out},
    {"T($1,295.76)", "129576", out},        {"T€(15,00)", "1500", out},        {"T( 15,00 € )", "1500", out},
    {"T12,50€", "1250", in},                {"T-12,50 EUR", "1250", out},      {"Teur 12,50-", "1250", out},
    {"TUSD-5.00", "500", out},              {"TCHF 1'234.50", "123450", in},   {"TFr. 12.50", "1250", in},
    {"T12.50 Fr.", "1250", in},             {"T£5", "500", in},                {"T¥1,234,567", "123456700", in},
    {"TJPY 1000", "100000", in},            {"T+$5.00", "+500", in},
    // No amount: what the plain steps leave of it goes, if the user says so.
    {"Tabc", "abc", in, true},              {"T12abc", "12abc", in, true},     {"T1e5", "1e5", in, true},
    {"T-", "", out, true},                  {"T€", "€", in, true},             {"TEUR", "EUR", in, true},
    {"TEURO 5", "EURO 5", in, true},        {"T12 34", "12 34", in, true},     {"T5 5", "5 5", in, true},
    {"T1.2.3,4,5", "123", in, true},        {"T1.2,3", "123", in, true},       {"T1.234.56", "123", in, true},
    {"T1.234 567", "123", in, true},         {"T1.234 567,89", "1234 56789", in, true},     {"T--5", "-5", out, true},         {"T-5-", "5-", out, true},
    {"T+5-", "+5-", in, true},              {"T5+", "5+", in, true},           {"T(-5)", "(-5)", in, true},
    {"T-(5)", "(5)", out, true},            {"T(5", "(5", in, true},           {"T5)", "5)", in, true},
    {"T€5$", "€5$", in, true},              {"T25.-", "25-", in, true},        {"T12-50", "12-50", in, true},
    {"TBank", "Bank", in, true},            {"T-1,2a.3", "12a3", out, true},
    // A lone separator before three digits may group them or be decimals.
    {"T1.234", "123", in, true},            {"T-12,345", "1234", out, true},   {"T$1,295", "$129", in, true},
};

// The row's T line as a test name: letters and digits as they are, every
// other byte as _ and two hex digits, so that a blank (_20), U+00A0 (_C2_A0)
// and U+202F (_E2_80_AF) stay apart.
std::string nameOf(std::string_view line) {
    std::string name;
    for (const char c : line) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "_%02X", static_cast<unsigned char>(c));
        name += std::isalnum(static_cast<unsigned char>(c)) ? std::string(1, c) : std::string(hex);
    }
    return name;
}

// Each T line through a record of its own: the amount text, the way the
// money goes (out: from the chosen account), and whether it was read.
class Amount : public ::testing::TestWithParam<AmountRow> {};

TEST_P(Amount, ReadsTheFormsRealFilesWriteAndNamesTheRest) {
    const AmountRow& row = GetParam();
    RunReport report;
    const auto sent = testing::book(std::string(row.line) + "\n^\n", {}, &report);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][2], row.betrag);
    EXPECT_EQ(sent[0][3], row.way == Way::out ? "Giro" : "Unbekannt");
    EXPECT_EQ(report.unreadable_amounts, row.unreadable ? std::vector<std::int64_t>{0} : std::vector<std::int64_t>{});
}

INSTANTIATE_TEST_SUITE_P(Rows, Amount, ::testing::ValuesIn(amount_rows),
                         [](const auto& info) { return nameOf(info.param.line); });

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
