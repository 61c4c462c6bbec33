// Records, options and sections of a run, as the booking script receives them.
#include <gtest/gtest.h>

#include <stdexcept>

#include "booking_helpers.h"

namespace velmora::import {
namespace {

using testing::book;
using Texts = BookingArguments;

TEST(BookingRun, SendsEachRecordAsNineTextsAndResetsItAfterwards) {
    const auto sent = book("D12/31'05\nT-1,234.56\nPStadtwerke\nMAbschlag\nLNebenkosten:Strom\n^\n^\n", {Option::mit_kat});
    EXPECT_EQ(sent, (std::vector<Texts>{
                        {"31.12.2005", "31.12.2005", "123456", "Giro", "Unbekannt", "Strom", "Stadtwerke", "Abschlag", ""},
                        {"", "", "0000", "", "", "Sonstiges", "", "", ""}}));
}

struct BoundaryRow {
    std::string_view name;
    std::string_view file;
    std::vector<std::string> amounts;  // betrag of every booking sent, in order
};

TEST(BookingRun, EndsRecordsOnlyAtCaretLines) {
    const BoundaryRow rows[] = {
        {"no caret", "D1/1/05\nT1.00\n", {}},
        {"lines after the last caret", "T1.00\n^\nT2.00\nPLost\n", {"100"}},
        {"blanks before the caret", "T1.00\n  ^\n", {}},
        {"caret pair of older exporters", "T1.00\n^^\nT2.00\n^^\n", {"100", "200"}},
        {"first record without T", "PA\n^\nPB\n^\n", {"", "0000"}},
        {"first record after a header", "!Type:Bank\nPA\n^\n", {""}},
        {"caret inside text", "T1.00\n^x\n", {}},
    };
    for (const auto& row : rows) {
        std::vector<std::string> amounts;
        for (const auto& b : book(row.file)) amounts.push_back(b[2]);
        EXPECT_EQ(amounts, row.amounts) << row.name;
    }
}

struct OptionRow {
    std::string_view name;
    std::string_view record;
    testing::Options ticked;
    std::vector<std::string_view> from_to_category;  // empty: not sent
};

TEST(BookingRun, AppliesTheFourOptions) {
    using enum Option;
    const OptionRow rows[] = {
        {"none", "T-50,00\nL[Sparbuch]\n^\n", {}, {"Giro", "Unbekannt", "Sonstiges"}},
        {"categories", "T-50,00\nL[Sparbuch]\n^\n", {mit_kat}, {"Giro", "Unbekannt", "[Sparbuch]"}},
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

TEST(BookingRun, ReadsEachOptionWhenItIsConsulted) {
    bool categories = false;
    std::vector<std::string> categories_sent;
    const RunContext run{"Giro", [&](Option o) { return o == Option::mit_kat && categories; },
                         [&](const BookingArguments& b) {
                             categories_sent.push_back(b[5]);
                             categories = true;  // the user ticks the box while the run goes on
                         },
                         {}};
    buchung_erzeugen(lines_from_bytes("LA\n^\nLB\n^\n"), 3, run);
    EXPECT_EQ(categories_sent, (std::vector<std::string>{"Sonstiges", "B"}));
}

TEST(BookingRun, StopsAtTheRecordWhoseSendingFailsAndYieldsPerLine) {
    int calls = 0, yields = 0;
    const RunContext run{"Giro", {}, [&](const BookingArguments&) {
                             if (++calls == 2) throw std::runtime_error("script failed");
                         },
                         [&] { ++yields; }};
    EXPECT_THROW(buchung_erzeugen(lines_from_bytes("T1\n^\nT2\n^\nT3\n^\n"), 5, run), std::runtime_error);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(yields, 3);
}

struct SectionRow {
    std::string_view name;
    std::string_view file;
    std::vector<std::string> payees;  // of every booking sent
    std::size_t skipped;
};

TEST(BookingRun, BooksTransactionBlocksOnlyAndCountsWhatItSkips) {
    const SectionRow rows[] = {
        {"no header", "PA\n^\n", {"A"}, 0},
        {"account block", "!Account\nNGiro\nTBank\n^\n!Type:Bank\nPA\n^\n", {"A"}, 1},
        {"category list", "!Type:Cat\nNFood\n^\nNRent\n^\n", {}, 2},
        {"memorized list", "!Type:Memorized\nPM\nT5.00\n^\n", {}, 1},
        {"bare type", "!Type:\nPM\n^\n", {}, 1},
        {"case and blanks", "!Type:Cat\n^\n!type: cCARD  \nPA\n^\n", {"A"}, 1},
        {"every booked type", "!Type:Cash\nPA\n^\n!Type:Oth A\nPB\n^\n!Type:Oth L\nPC\n^\n!Type:Invst\nPD\n^\n",
         {"A", "B", "C", "D"}, 0},
        {"option line in a list", "!Type:Class\n!Option:AutoSwitch\nPX\n^\n!Clear:AutoSwitch\nPY\n^\n", {}, 2},
        {"option line in a bank block", "!Type:Bank\n!Option:AutoSwitch\nPX\n^\n!Clear:AutoSwitch\nPY\n^\n",
         {"X", "Y"}, 0},
        {"unclosed list entry", "!Type:Cat\nPLeak\n!Type:Bank\nMmemo\n^\n", {""}, 0},
        {"unclosed transaction", "!Type:Bank\nPLost\n!Type:Prices\n\"ABC\",1,\"01/01/18\"\n^\n", {}, 1},
    };
    for (const auto& row : rows) {
        RunReport report;
        std::vector<std::string> payees;
        for (const auto& b : book(row.file, {}, &report)) payees.push_back(b[6]);
        EXPECT_EQ(payees, row.payees) << row.name;
        EXPECT_EQ(report.sent, row.payees.size()) << row.name;
        EXPECT_EQ(report.skipped, row.skipped) << row.name;
    }
}

TEST(BookingRun, NeverCarriesADateIntoTheNextRecordAndReportsTheUndated) {
    RunReport report;
    const auto sent = book("D1/2/05\n^\nDabc\n^\nPA\n^\nD31.2.2005\nD1.1.2005\n^\nD1/2/05\nD2.30.2005\n^\n",
                           {Option::mit_kat, Option::kat_konto, Option::kat_gleich}, &report);
    std::vector<std::string> dates;
    for (const auto& b : sent) dates.push_back(b[0]);
    EXPECT_EQ(dates, (std::vector<std::string>{"02.01.2005", "", "", "01.01.2005", ""}));
    EXPECT_EQ(report.undated, (std::vector<std::int64_t>{2, no_date_line, 10}));
}

}  // namespace
}  // namespace velmora::import
