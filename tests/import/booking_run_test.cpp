// Records, options and sections of a run, as the booking script receives them.
#include <gtest/gtest.h>

#include <stdexcept>

#include "booking_helpers.h"

namespace velmora::import {
namespace {

using testing::book;
using testing::Options;
using Texts = BookingArguments;

TEST(BookingRun, SendsAWholeRecordAsNineTexts) {
    const auto sent = book("D12/31'05\nT-1,234.56\nPStadtwerke\nMAbschlag\nLNebenkosten:Strom\n^\n", {Option::mit_kat});
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], (Texts{"31.12.2005", "31.12.2005", "123456", "Giro", "Unbekannt", "Strom", "Stadtwerke",
                              "Abschlag", ""}));
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
        {"blanks after the caret", "T1.00\n^  \n", {"100"}},
        {"caret pair of older exporters", "T1.00\n^^\nT2.00\n^^\n", {"100", "200"}},
        {"two carets in a row", "T1.00\n^\n^\n", {"100", "0000"}},
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

TEST(BookingRun, ResetsEveryFieldAfterARecord) {
    const auto sent = book("D1/2/05\nT-3.00\nPA\nMB\nL[X]\n^\n^\n", {Option::mit_kat, Option::kat_konto});
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1], (Texts{"", "", "0000", "", "", "Sonstiges", "", "", ""}));
}

TEST(BookingRun, NeverCarriesADateIntoTheNextRecord) {
    const auto sent = book("D1/2/05\n^\nDabc\n^\n^\n");
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0][0], "02.01.2005");
    EXPECT_EQ(sent[1][0], "");
    EXPECT_EQ(sent[2][0], "");
}

struct OptionRow {
    std::string_view name;
    std::string_view record;
    Options ticked;
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
        {"last category part", "LAuto:Benzin\n^\n", {mit_kat}, {"", "", "Benzin"}},
        {"bare L", "L\n^\n", {mit_kat}, {"", "", ""}},
        {"T after L resets accounts", "L[Spar]\nT-1.00\n^\n", {kat_konto}, {"Giro", "Unbekannt", "Sonstiges"}},
        {"no closing bracket", "T-1.00\nL[Spar\n^\n", {kat_konto}, {"Giro", "Spa", "Sonstiges"}},
        {"empty brackets", "T-1.00\nL[]\n^\n", {kat_konto}, {"Giro", "", "Sonstiges"}},
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

TEST(BookingRun, StopsAtTheRecordWhoseSendingFails) {
    int calls = 0;
    const RunContext run{"Giro", {}, [&](const BookingArguments&) {
                             if (++calls == 2) throw std::runtime_error("script failed");
                         },
                         {}};
    EXPECT_THROW(buchung_erzeugen(lines_from_bytes("T1\n^\nT2\n^\nT3\n^\n"), 5, run), std::runtime_error);
    EXPECT_EQ(calls, 2);
}

struct SectionRow {
    std::string_view name;
    std::string_view file;
    std::vector<std::string> payees;  // of every booking sent
};

TEST(BookingRun, BooksTransactionBlocksOnly) {
    const SectionRow rows[] = {
        {"no header", "PA\n^\n", {"A"}},
        {"account block", "!Account\nNGiro\nTBank\n^\n!Type:Bank\nPA\n^\n", {"A"}},
        {"category list", "!Type:Cat\nNFood\n^\n", {}},
        {"memorized list", "!Type:Memorized\nPM\nT5.00\n^\n", {}},
        {"case and blanks", "!Type:Cat\n^\n!type: cCARD  \nPA\n^\n", {"A"}},
        {"every booked type", "!Type:Cash\nPA\n^\n!Type:Oth A\nPB\n^\n!Type:Oth L\nPC\n^\n!Type:Invst\nPD\n^\n",
         {"A", "B", "C", "D"}},
        {"option and clear lines", "!Type:Class\n!Option:AutoSwitch\nPX\n^\n!Clear:AutoSwitch\nPY\n^\n", {}},
        {"unclosed list entry", "!Type:Cat\nPLeak\n!Type:Bank\nMmemo\n^\n", {""}},
        {"unclosed transaction", "!Type:Bank\nPLost\n!Type:Prices\n\"ABC\",1,\"01/01/18\"\n^\n", {}},
    };
    for (const auto& row : rows) {
        std::vector<std::string> payees;
        for (const auto& b : book(row.file)) payees.push_back(b[6]);
        EXPECT_EQ(payees, row.payees) << row.name;
    }
}

}  // namespace
}  // namespace velmora::import
