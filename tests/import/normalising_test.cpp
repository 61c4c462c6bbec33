// Amounts in hundredths and dates as DD.MM.YYYY, row by row, and the text
// services they are built on.
#include <gtest/gtest.h>

#include "booking_helpers.h"
#include "import/qif_date.h"
#include "platform/month_names.h"
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
    {"T999999999999999", "99999999999999900", in}, {"T123.456.789.012.345,67", "12345678901234567", in},
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
    // More than fifteen digits before the decimals: a reference or card number.
    {"T1234567890123456", "1234567890123456", in, true}, {"T-1.234.567.890.123.456,78", "123456", out, true},
    // A lone separator before three digits may group them or be decimals.
    {"T1.234", "123", in, true},            {"T-12,345", "1234", out, true},   {"T$1,295", "$129", in, true},
};

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
                         [](const auto& info) { return testing::row_name(info.param.line); });

// A D line and the date it gives without and with "Monat/Tag tauschen" ("" for none).
struct DateRow {
    std::string_view line, as_written, swapped;
};

void PrintTo(const DateRow& row, std::ostream* out) { *out << row.line; }

class BookingDate : public ::testing::TestWithParam<DateRow> {};

TEST_P(BookingDate, ReadsTheFormsExportersWriteUnderEitherSettingOfTheBox) {
    const DateRow& row = GetParam();
    EXPECT_EQ(booking_date(row.line, false), row.as_written);
    EXPECT_EQ(booking_date(row.line, true), row.swapped);
}

const DateRow date_rows[] = {
    // Slashes are month first, dots day first; the box swaps the first two parts.
    {"D12/31/99", "31.12.1999", ""},               {"D 1/ 5'05", "05.01.2005", "01.05.2005"},
    {"D8/31' 0", "31.08.2000", ""},                {"D2/10'2020", "10.02.2020", "02.10.2020"},
    {"D31.12.2005", "31.12.2005", ""},             {"D5.1.05", "05.01.2005", "01.05.2005"},
    {"D12.31.2005", "", "31.12.2005"},             {"D 5 . 1 . 05", "05.01.2005", "01.05.2005"},
    {"D1/2/05/x", "02.01.2005", "01.02.2005"},     {"D1.2.2005.", "", "02.01.2005"},  // as they always went out
    // Years beyond 2070 are a century too late, if the calendar has the day then.
    {"D31.12.2070", "31.12.2070", ""},             {"D1.1.2071", "01.01.1971", "01.01.1971"},
    {"D12/31/71", "31.12.1971", ""},               {"D31.12.2099", "31.12.1999", ""},
    {"D29.02.2000", "29.02.2000", ""},             {"D29.02.2400", "", ""},
    {"D1.1.1000", "01.01.1000", "01.01.1000"},
    // An apostrophe after a dotted day and month stands for the dot before the year.
    {"D28.02'2009", "28.02.2009", ""},             {"D1.2'09", "01.02.2009", "02.01.2009"},
    // Dashes are day first, unless a four-digit year in front settles the order.
    {"D09-06-19", "09.06.2019", "06.09.2019"},     {"D24-01-25", "24.01.2025", ""},
    {"D2024-01-25", "25.01.2024", "25.01.2024"},   {"D2014/1/2", "02.01.2014", "02.01.2014"},
    {"D2014.12.31", "31.12.2014", "31.12.2014"},   {"D20241231", "31.12.2024", "31.12.2024"},
    // A month's name settles the order too.
    {"D26 Jan 2026", "26.01.2026", "26.01.2026"},  {"D26. Januar 2026", "26.01.2026", "26.01.2026"},
    {"D3 M\xC3\xA4r 2026", "03.03.2026", "03.03.2026"}, {"D3. M\xC3\x84RZ 26", "03.03.2026", "03.03.2026"},
    {"DJan 31, 2026", "31.01.2026", "31.01.2026"}, {"D31-DEZ-26", "31.12.2026", "31.12.2026"},
    {"D1 sept. 2026", "01.09.2026", "01.09.2026"}, {"D2026 Jan 3", "03.01.2026", "03.01.2026"},
    // No date.
    {"D31.02.2026", "", ""},  {"D13/13/2026", "", ""},  {"D2026-13-01", "", ""},  {"D1.2", "", ""},
    {"D", "", ""},            {"Dabc", "", ""},         {"D1.0.2005", "", ""},    {"D0.1.2005", "", ""},
    {"D1.1.205", "", ""},     {"D1.1.0999", "", ""},    {"D1.1.20055", "", ""},
    {"D1..2005", "", ""},     {"D-1.1.2005", "", ""},   {"D\xC3\xA4.1.2005", "", ""}, {"D2024-1-255", "", ""},
    {"D2023-02-29", "", ""},  {"D0999-01-01", "", ""},  {"D20241301", "", ""},  {"D2024010", "", ""},
    {"D03/25/099Share Withdrawal", "", ""},         {"D32 Jan 2026", "", ""},  {"D26 Jau 2026", "", ""},
    {"D26 Jan 2026 x", "", ""}, {"DJan 2026", "", ""},   {"D26 Jan x", "", ""},    {"D1/2-2005", "", ""},
    {"D1.2-2005", "", ""},    {"D1.001.2005", "", ""},
};

INSTANTIATE_TEST_SUITE_P(Dates, BookingDate, ::testing::ValuesIn(date_rows),
                         [](const auto& info) { return testing::row_name(info.param.line); });

TEST(MonthNames, NameEachMonthWholeOrShortInGermanOrEnglish) {
    const std::string_view names[] = {"Jänner", "February", "Mrz", "April", "May",     "Jun",
                                      "Juli",   "AUG",      "Sept", "Oktober", "nov", "Dec"};
    for (unsigned month = 1; month <= 12; ++month) EXPECT_EQ(MonthOfName(names[month - 1]), month) << names[month - 1];
    EXPECT_EQ(MonthOfName("Ju"), std::nullopt);
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
