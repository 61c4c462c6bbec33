// Real QIF files written by other programs: all of them load and book sanely,
// and a few are checked booking by booking.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

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

    static std::vector<BookingArguments> book_file(const fs::path& file, const Options& ticked = {}) {
        const auto result = read_lines(corpus / file);
        EXPECT_EQ(result.status, ReadStatus::read) << file;
        return testing::book_lines(result.lines, ticked);
    }
};

bool is_day_month_year(std::string_view d) {
    return d.size() == 10 && d[2] == '.' && d[5] == '.' && std::count(d.begin(), d.end(), '.') == 2 &&
           d.find_first_not_of("0123456789.") == std::string_view::npos;
}

TEST_F(Corpus, EveryFileBooksSanelyUnderEveryOptionCombination) {
    std::size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
        if (entry.path().extension() != ".qif") continue;
        ++files;
        for (unsigned bits = 0; bits < 16; ++bits) {
            Options ticked;
            for (Option o : {Option::mit_kat, Option::monat_tag, Option::kat_konto, Option::kat_gleich})
                if (bits & (1u << static_cast<unsigned>(o))) ticked.insert(o);
            for (const auto& b : book_file(entry.path(), ticked)) {
                ASSERT_EQ(b.size(), 9u) << entry.path();
                EXPECT_TRUE(b[0].empty() || is_day_month_year(b[0])) << entry.path() << ": date " << b[0];
                EXPECT_EQ(b[1], b[0]) << entry.path();
                const std::string_view amount = std::string_view(b[2]).substr(b[2].starts_with('+'));
                EXPECT_EQ(amount.find_first_not_of("0123456789"), std::string_view::npos) << entry.path() << ": " << b[2];
                EXPECT_EQ(b[8], "") << entry.path();
            }
        }
    }
    EXPECT_GT(files, 20u);
}

TEST_F(Corpus, BooksTransactionRecordsAndNoListEntries) {
    const std::pair<const char*, std::size_t> rows[] = {
        {"gnucash/abc.qif", 7},      {"gnucash/abc-all.qif", 10},          {"gnucash/every.qif", 164},
        {"gnucash/divx.qif", 7},     {"gnucash/ms-money.qif", 347},        {"finance-qif/simple.qif", 0},
        {"qifparse/file.qif", 5},    {"kmymoney/bug-337405.qif", 1},       {"actual/qif-account.qif", 1},
        {"gnucash/Money95invst_fr.qif", 10},
        {"qif2json/utf8.qif", 0},    {"quiffen/test_unknown_account_type.qif", 1},
    };
    for (const auto& [file, bookings] : rows) EXPECT_EQ(book_file(file).size(), bookings) << file;
}

struct FieldRow {
    const char* file;
    Options ticked;
    std::size_t booking;
    std::size_t text;  // 0 date, 2 amount, 3 from, 4 to, 5 category
    std::string_view expected;
};

TEST_F(Corpus, BooksChosenRecordsFieldByField) {
    using enum Option;
    const FieldRow rows[] = {
        {"gnucash/abc.qif", {}, 0, 0, "17.06.1997"},
        {"gnucash/abc.qif", {}, 0, 2, "234500"},          // «T2,345.00»
        {"gnucash/abc.qif", {}, 1, 0, "01.08.1997"},      // «D8/ 1/97»
        {"gnucash/abc.qif", {mit_kat}, 0, 5, "Other Inc"},
        {"gnucash/abc.qif", {kat_konto}, 3, 2, "500000"}, // «T-5,000.00» to [Swipe Brokers]
        {"gnucash/abc.qif", {kat_konto}, 3, 3, "Giro"},
        {"gnucash/abc.qif", {kat_konto}, 3, 4, "Swipe Brokers"},
        {"gnucash/ms-money.qif", {kat_konto}, 0, 3, "New Bank"},  // opening balance from the account it names
        {"gnucash/ms-money.qif", {kat_konto}, 2, 4, "Unbekannt"},  // «T-525.00» rent
        {"gnucash/Money95invst_fr.qif", {}, 0, 2, "14560832"},
        // «T-4,500.00» to [Compte courant] is the other side of an own transfer and is left out.
        {"gnucash/Money95invst_fr.qif", {mit_kat, kat_konto, kat_gleich}, 8, 0, "26.12.1995"},
        {"gnucash/web.qif", {}, 0, 0, ""},  // «D03/25/099Share Withdrawal»
        {"gnucash/web.qif", {}, 0, 2, "9999"},
        {"gnucash/inconsistent-per-record-formats.qif", {}, 1, 0, "25.01.2024"},
        {"oca-bank-statement-import/test_qif_au.qif", {monat_tag}, 0, 0, "31.07.2026"},
        {"oca-bank-statement-import/test_qif_au.qif", {monat_tag}, 1, 0, "08.07.2026"},
    };
    for (const auto& row : rows) {
        const auto sent = book_file(row.file, row.ticked);
        ASSERT_LT(row.booking, sent.size()) << row.file;
        EXPECT_EQ(sent[row.booking][row.text], row.expected) << row.file << " booking " << row.booking;
    }
}

TEST_F(Corpus, ReadsBothEncodingsOfTheSamePayee) {
    for (const char* file : {"qif2json/utf8.qif", "qif2json/windows-1252.qif"}) {
        const auto lines = read_lines(corpus / file).lines;
        std::size_t found = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) found += lines[i] == "PSOME £$™€ CHARACTERS";
        EXPECT_EQ(found, 1u) << file;
    }
}

}  // namespace
}  // namespace velmora::import
