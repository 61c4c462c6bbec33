// Records, options and sections of a run, as the booking script receives them.
#include <gtest/gtest.h>

#include <stdexcept>

#include "booking_helpers.h"

namespace velmora::import {
namespace {

using testing::book;

struct SentRow {
    std::string_view record;
    testing::Options ticked;
    std::vector<BookingArguments> sent;
};

// Each text from its own line, reset after each record: an amount that is no
// number is no memo, payee, category or counter account.
TEST(BookingRun, SendsEachRecordAsNineTextsEachFromItsOwnLine) {
    using enum Option;
    const SentRow rows[] = {
        {"D12/31'05\nT-1,234.56\nPStadtwerke\nMAbschlag\nLNebenkosten:Strom\n^\n^\n", {mit_kat},
         {{"31.12.2005", "31.12.2005", "123456", "Giro", "Unbekannt", "Strom", "Stadtwerke", "Abschlag", ""},
          {"", "", "0000", "", "", "Sonstiges", "", "", ""}}},
        {"MMiete März\nTMiete\n^\n", {}, {{"", "", "Miete", "Unbekannt", "Giro", "Sonstiges", "", "Miete März", ""}}},
        {"LGehalt\nTLohn\n^\n", {mit_kat}, {{"", "", "Lohn", "Unbekannt", "Giro", "Gehalt", "", "", ""}}},
        {"TL[Spar]\n^\n", {mit_kat, kat_konto}, {{"", "", "L[Spar]", "Unbekannt", "Giro", "Sonstiges", "", "", ""}}},
    };
    for (const auto& row : rows) EXPECT_EQ(book(row.record, row.ticked), row.sent) << row.record;
}

struct RecordRow {
    std::string_view name, file;
    std::vector<std::string> amounts;  // betrag of every booking sent, in order
    std::size_t skipped = 0;
    std::int64_t unclosed_at_end = no_line;
    std::vector<std::int64_t> unclosed_before_header = {};
};

// A record left without "^" is never sent, and named by its first line when it holds a booking's field.
TEST(BookingRun, BooksTransactionRecordsEndedByCaretsAndCountsWhatItSkips) {
    const RecordRow rows[] = {
        {"no caret", "D1/1/05\nT1.00\n", {}, 0, 0},
        {"lines after the last caret", "T1.00\n^\n\nN7\nT2.00\n", {"100"}, 0, 3},
        {"no field of a booking after the last caret", "T1.00\n^\nN7\nC*\n", {"100"}},
        {"only an L line after the last caret", "T1.00\n^\nLMiete\n", {"100"}, 0, 2},
        {"blanks before the caret", "T1.00\n  ^\n", {}, 0, 0},
        {"caret pair of older exporters", "T1.00\n^^\nT2.00\n^^\n", {"100", "200"}},
        {"first record without T", "PA\n^\nPB\n^\n", {"", "0000"}},
        {"first record after a header", "!Type:Bank\nPA\n^\n", {""}},
        {"account block", "!Account\nNGiro\nTBank\n^\n!Type:Bank\nT1\n^\n", {"100"}, 1},
        {"category list", "!Type:Cat\nNFood\n^\nNRent\n^\n", {}, 2},
        {"memorized list", "!Type:Memorized\nPM\nT5.00\n^\n", {}, 1},
        {"bare type", "!Type:\nT1\n^\n", {}, 1},
        {"case and blanks", "!Type:Cat\n^\n!type: cCARD  \nT1\n^\n", {"100"}, 1},
        {"every booked type", "!Type:Cash\nT1\n^\n!Type:Oth A\nT2\n^\n!Type:Oth L\nT3\n^\n!Type:Invst\nT4\n^\n",
         {"100", "200", "300", "400"}},
        {"option line in a list", "!Type:Class\n!Option:AutoSwitch\nT1\n^\n!Clear:AutoSwitch\nT2\n^\n", {}, 2},
        {"option line in a bank block", "!Type:Bank\n!Option:AutoSwitch\nT1\n^\n!Clear:AutoSwitch\nT2\n^\n", {"100", "200"}},
        {"unclosed list entry", "!Type:Cat\nT1\n!Type:Bank\nMmemo\n^\n", {""}},
        {"unclosed transaction", "!Type:Bank\nT1\n!Type:Prices\n\"ABC\",1,\"01/01/18\"\n^\n", {}, 1, no_line, {1}},
        {"unclosed transactions in two blocks", "!Type:Bank\nPA\n!Type:Cash\nT1\n^\nMB\n!Type:Bank\nDx\n", {"100"}, 0, 7, {1, 5}},
    };
    for (const auto& row : rows) {
        RunReport report;
        std::vector<std::string> amounts;
        for (const auto& b : book(row.file, {}, &report)) amounts.push_back(b[2]);
        EXPECT_EQ(amounts, row.amounts) << row.name;
        EXPECT_EQ(report.sent, row.amounts.size()) << row.name;
        EXPECT_EQ(report.skipped, row.skipped) << row.name;
        EXPECT_EQ(report.unclosed_at_end, row.unclosed_at_end) << row.name;
        EXPECT_EQ(report.unclosed_before_header, row.unclosed_before_header) << row.name;
    }
}

struct TooLongRow {
    std::string_view name, file;
    testing::Options ticked;
    platform::ArgumentRoom room;
    std::vector<std::string> payees;  // of the bookings sent
    std::vector<std::int64_t> too_long;
    std::string_view account = "Giro";
};

// Nine empty texts take this many bytes of the room: each its NUL and pointer, and the list's end.
constexpr std::size_t nine_empty_texts = 9 * (1 + sizeof(char*)) + sizeof(char*);

// A booking the script could not receive is never sent, and is named by the line of its longest text.
TEST(BookingRun, NeverSendsABookingWithATextTooLongForTheScript) {
    using enum Option;
    const TooLongRow rows[] = {
        {"payee", "PA\n^\nP0123456789\n^\n", {}, {10, 4096}, {"A"}, {2}},
        {"amount no number", "PA\nTabcdefghij\n^\n", {}, {10, 4096}, {}, {1}},
        {"category", "PA\nLAuto:0123456789\n^\n", {mit_kat}, {10, 4096}, {}, {1}},
        {"counter account", "T-1\nL[0123456789]\n^\n", {kat_konto}, {10, 4096}, {}, {1}},
        {"the window's account", "PA\nT1\n^\n", {}, {10, 4096}, {}, {2}, "Girokonto1"},
        {"all texts together", "L\nM123456789\n^\n", {mit_kat}, {10, nine_empty_texts + 8}, {}, {1}},
        {"all texts together just fitting", "L\nM123456789\n^\n", {mit_kat}, {10, nine_empty_texts + 9}, {""}, {}},
    };
    for (const auto& row : rows) {
        std::vector<std::string> payees;
        RunContext run{row.account, [&](Option o) { return row.ticked.count(o) > 0; },
                       [&](const BookingArguments& b, const BookingPlace&) { payees.push_back(b[6]); }, {}};
        run.argument_room = row.room;
        const RunReport report = buchung_erzeugen(lines_from_bytes(row.file), 99, run);
        EXPECT_EQ(payees, row.payees) << row.name;
        EXPECT_EQ(report.too_long, row.too_long) << row.name;
    }
}

struct OptionRow {
    std::string_view name, record;
    testing::Options ticked;
    std::vector<std::string_view> from_to_category;  // empty: not sent
};

TEST(BookingRun, AppliesTheFourOptions) {
    using enum Option;
    const OptionRow rows[] = {
        {"none", "T-50,00\nL[Sparbuch]\n^\n", {}, {"Giro", "Unbekannt", "Sonstiges"}},
        {"transfer out", "T-50,00\nL[Sparbuch]\n^\n", {mit_kat, kat_konto}, {"Giro", "Sparbuch", "[Sparbuch]"}},
        {"own transfer skipped", "T-50,00\nL[Sparbuch]\n^\n", {mit_kat, kat_konto, kat_gleich}, {}},
        {"transfer in", "T50,00\nL[Sparbuch]\n^\n", {kat_konto}, {"Sparbuch", "Giro", "Sonstiges"}},
        {"skip needs categories", "T-50,00\nL[Sparbuch]\n^\n", {kat_konto, kat_gleich}, {"Giro", "Sparbuch", "Sonstiges"}},
        {"skip needs the same name", "T-5\nL[Spar]\nLAlt:[Spax]\n^\n", {mit_kat, kat_konto, kat_gleich}, {"Giro", "Spar", "[Spax]"}},
        {"last category part", "LAuto:Benzin\n^\n", {mit_kat}, {"", "", "Benzin"}},
        {"bare L", "L\n^\n", {mit_kat}, {"", "", ""}},
        {"T after L resets accounts", "L[Spar]\nT-1.00\n^\n", {kat_konto}, {"Giro", "Unbekannt", "Sonstiges"}},
        {"one-letter account", "T-1.00\nL[X]\n^\n", {kat_konto}, {"Giro", "X", "Sonstiges"}},
        {"no closing bracket", "T-1.00\nL[Spar\n^\n", {kat_konto}, {"Giro", "Spa", "Sonstiges"}},
        {"lone bracket", "T-1.00\nL[\n^\n", {kat_konto}, {"Giro", "", "Sonstiges"}},
        {"umlaut as last character", "T-1.00\nL[Jörgü\n^\n", {kat_konto}, {"Giro", "Jörg", "Sonstiges"}},
        {"own account named", "T-1.00\nL[Giro]\n^\n", {kat_konto}, {"Unbekannt", "Giro", "Sonstiges"}},
        {"unbracketed L", "T-1.00\nLBank\n^\n", {kat_konto}, {"Giro", "Unbekannt", "Sonstiges"}},
    };
    for (const auto& row : rows) {
        std::vector<std::string_view> got;
        const auto sent = book(row.record, row.ticked);
        if (!sent.empty()) got = {sent[0][3], sent[0][4], sent[0][5]};
        EXPECT_EQ(got, row.from_to_category) << row.name;
    }
}

TEST(BookingRun, AsksEachOptionWhenItIsConsultedAndYieldsOncePerLine) {
    bool categories = false;
    int yields = 0;
    std::vector<std::string> categories_sent;
    const RunContext run{"Giro", [&](Option o) { return o == Option::mit_kat && categories; },
                         [&](const BookingArguments& b, const BookingPlace&) {
                             categories_sent.push_back(b[5]);
                             categories = true;  // the user ticks the box while the run goes on
                         },
                         [&] { ++yields; }};
    buchung_erzeugen(lines_from_bytes("LA\n^\nLB\n^\nLC\n"), 3, run);
    EXPECT_EQ(categories_sent, (std::vector<std::string>{"Sonstiges", "B"}));
    EXPECT_EQ(yields, 4);
}

TEST(BookingRun, StopsAtTheRecordWhoseSendingFails) {
    int calls = 0;
    const auto fail_second = [&](const BookingArguments&, const BookingPlace&) {
        if (++calls == 2) throw std::runtime_error("script failed");
    };
    EXPECT_THROW(buchung_erzeugen(lines_from_bytes("T1\n^\nT2\n^\nT3\n^\n"), 5, {"Giro", {}, fail_second, {}}),
                 std::runtime_error);
    EXPECT_EQ(calls, 2);
}

// No date carries into the next record, and the last T line of a record
// counts; the table row tells what is unreadable before the send.
TEST(BookingRun, ReportsTheBookingsWithoutReadableDateOrAmount) {
    std::vector<std::string> told;
    const RunContext run{"Giro", {},
                         [&](const BookingArguments& b, const BookingPlace& place) {
                             const Unreadable u = place.unreadable;
                             if (u.any())
                                 told.push_back(std::string(u.date ? "date" : "") + (u.amount ? "amount" : ""));
                             told.push_back(b[0] + " " + b[2]);
                         },
                         {}};
    const RunReport report = buchung_erzeugen(
        lines_from_bytes("D1/2/05\n^\nDabc\nTabc\n^\nPA\n^\nD31.2.2005\nD1.1.2005\n^\nD1/2/05\nD2.30.2005\n^\n"
                         "D1/2/05\nTx\nT5\n^\nD1/2/05\nT5\nT1e5\n^\nTabc\n!Type:Bank\n"),
        99, run);
    EXPECT_EQ(told, (std::vector<std::string>{"02.01.2005 ", "dateamount", " abc", "date", " 0000", "01.01.2005 0000",
                                              "date", " 0000", "02.01.2005 500", "amount", "02.01.2005 1e5"}));
    EXPECT_EQ(report.undated, (std::vector<std::int64_t>{2, no_date_line, 11}));
    EXPECT_EQ(undated_bookings(report.undated), "3 Buchungen ohne lesbares Datum (Zeile 3, ohne D-Zeile, Zeile 12)");
    EXPECT_EQ(report.unreadable_amounts, (std::vector<std::int64_t>{3, 19}));
    EXPECT_EQ(report.sent_unreadable, 4u);
}

// Line numbers in a row share their "Zeilen"; a long list names the first ten.
TEST(BookingRun, NamesWhereTheUnreadableBookingsAre) {
    const std::pair<std::vector<std::int64_t>, std::string_view> rows[] = {
        {{no_date_line, 5, 6}, "3 Buchungen ohne lesbares Datum (ohne D-Zeile, Zeilen 6, 7)"},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, "10 Buchungen ohne lesbares Datum (Zeilen 1, 2, 3, 4, 5, 6, 7, 8, 9, 10)"},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "11 Buchungen ohne lesbares Datum (Zeilen 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, …)"},
    };
    for (const auto& [lines, said] : rows) EXPECT_EQ(undated_bookings(lines), said) << said;
}

}  // namespace
}  // namespace velmora::import
