// Real QIF files written by other programs: all of them load and book sanely,
// and a few are checked booking by booking.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "booking_helpers.h"

namespace velmora::import {
namespace {

namespace fs = std::filesystem;
using testing::Options;

const fs::path corpus = VELMORA_QIF_CORPUS;

class Corpus : public ::testing::Test {
protected:
    void SetUp() override {
        if (fs::is_directory(corpus)) return;
        const char* required = std::getenv("VELMORA_REQUIRE_CORPUS");
        if (required != nullptr && std::string_view(required) == "1") FAIL() << "QIF corpus missing: " << corpus;
        GTEST_SKIP() << "QIF corpus not on this machine: " << corpus;
    }

    static std::vector<BookingArguments> book_file(std::string_view name, const Options& ticked = {}) {
        const auto result = read_lines(corpus / name);
        EXPECT_EQ(result.status, ReadStatus::read) << name;
        return testing::book_lines(result.lines, ticked);
    }
};

bool is_day_month_year(std::string_view d) {
    const auto digit = [&](std::size_t i) { return d[i] >= '0' && d[i] <= '9'; };
    return d.size() == 10 && d[2] == '.' && d[5] == '.' && digit(0) && digit(1) && digit(3) && digit(4) &&
           digit(6) && digit(7) && digit(8) && digit(9);
}

bool is_amount(std::string_view a) {
    if (a.starts_with('+')) a.remove_prefix(1);
    return !a.empty() && a.find_first_not_of("0123456789") == std::string_view::npos;
}

Options options_from_bits(unsigned bits) {
    Options ticked;
    for (Option o : {Option::mit_kat, Option::monat_tag, Option::kat_konto, Option::kat_gleich})
        if (bits & (1u << static_cast<unsigned>(o))) ticked.insert(o);
    return ticked;
}

TEST_F(Corpus, EveryFileBooksSanelyUnderEveryOptionCombination) {
    std::size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
        if (entry.path().extension() != ".qif") continue;
        ++files;
        const auto name = fs::relative(entry.path(), corpus).string();
        for (unsigned bits = 0; bits < 16; ++bits) {
            for (const auto& b : book_file(name, options_from_bits(bits))) {
                ASSERT_EQ(b.size(), 9u) << name;
                EXPECT_TRUE(b[0].empty() || is_day_month_year(b[0])) << name << ": date " << b[0];
                EXPECT_EQ(b[1], b[0]) << name;
                EXPECT_TRUE(is_amount(b[2])) << name << ": amount " << b[2];
                EXPECT_EQ(b[8], "") << name;
            }
        }
    }
    EXPECT_GT(files, 20u);
}

struct CountRow {
    std::string_view file;
    std::size_t bookings;  // the file's transaction records
};

TEST_F(Corpus, BooksTransactionRecordsAndNoListEntries) {
    const CountRow rows[] = {
        {"gnucash/abc.qif", 7},      {"gnucash/abc-all.qif", 10},          {"gnucash/every.qif", 164},
        {"gnucash/divx.qif", 7},     {"gnucash/ms-money.qif", 347},        {"finance-qif/simple.qif", 0},
        {"qifparse/file.qif", 5},    {"kmymoney/bug-337405.qif", 1},       {"actual/qif-account.qif", 1},
        {"qif2json/utf8.qif", 0},    {"quiffen/test_unknown_account_type.qif", 1},
    };
    for (const auto& row : rows) EXPECT_EQ(book_file(row.file).size(), row.bookings) << row.file;
}

TEST_F(Corpus, QuickenThreeRegisterInHundredths) {
    const auto sent = book_file("gnucash/abc.qif", {Option::mit_kat, Option::kat_konto});
    ASSERT_EQ(sent.size(), 7u);
    EXPECT_EQ(sent[0], (BookingArguments{"17.06.1997", "17.06.1997", "234500", "Unbekannt", "Giro", "Other Inc",
                                         "from my pillow case", "my memo", ""}));
    EXPECT_EQ(sent[1][0], "01.08.1997");  // «D8/ 1/97»
    EXPECT_EQ(sent[3][2], "500000");
    EXPECT_EQ(sent[3][3], "Giro");
    EXPECT_EQ(sent[3][4], "Swipe Brokers");
}

TEST_F(Corpus, TransfersFollowTheSignUnderCounterAccounts) {
    const auto sent = book_file("gnucash/ms-money.qif", {Option::kat_konto});
    ASSERT_EQ(sent.size(), 347u);
    EXPECT_EQ(sent[0][2], "470657");
    EXPECT_EQ(sent[0][3], "New Bank");  // the opening balance comes from the account it names
    EXPECT_EQ(sent[0][4], "Giro");
    EXPECT_EQ(sent[2][3], "Giro");      // «T-525.00» rent leaves the account
    EXPECT_EQ(sent[2][4], "Unbekannt");
    const auto fr = book_file("gnucash/Money95invst_fr.qif", {Option::mit_kat, Option::kat_konto, Option::kat_gleich});
    ASSERT_EQ(fr.size(), 9u);  // «T-4,500.00» to [Compte courant] is the other side of an own transfer
    EXPECT_EQ(fr[0][2], "14560832");
    EXPECT_EQ(fr[1][3], "Compte courant");
    for (const auto& b : fr) EXPECT_NE(b[0], "11.12.1995");
}

TEST_F(Corpus, DatesOfOddExporters) {
    const auto web = book_file("gnucash/web.qif");
    ASSERT_EQ(web.size(), 7u);
    for (const auto& b : web) EXPECT_EQ(b[0], "") << "«D03/25/099Share Withdrawal» is no date";
    const auto iso = book_file("gnucash/inconsistent-per-record-formats.qif");
    ASSERT_EQ(iso.size(), 2u);
    EXPECT_EQ(iso[0][0], "25.01.2024");
    EXPECT_EQ(iso[1][0], "25.01.2024");
    const auto au = book_file("oca-bank-statement-import/test_qif_au.qif", {Option::monat_tag});
    ASSERT_EQ(au.size(), 3u);
    EXPECT_EQ(au[0][0], "31.07.2026");
    EXPECT_EQ(au[1][0], "08.07.2026");
}

TEST_F(Corpus, ReadsBothEncodingsOfTheSamePayee) {
    for (std::string_view file : {"qif2json/utf8.qif", "qif2json/windows-1252.qif"}) {
        const auto result = read_lines(corpus / file);
        ASSERT_EQ(result.status, ReadStatus::read) << file;
        std::size_t found = 0;
        for (std::size_t i = 0; i < result.lines.size(); ++i)
            found += result.lines[i] == "PSOME £$™€ CHARACTERS";
        EXPECT_EQ(found, 1u) << file;
    }
}

}  // namespace
}  // namespace velmora::import
