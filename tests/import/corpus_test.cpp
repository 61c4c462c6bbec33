// Real QIF files written by other programs, checked booking by booking (the
// whole corpus goes through every option combination in the preview's tests).
#include <gtest/gtest.h>

#include <cstdlib>

#include "booking_helpers.h"

namespace velmora::import {
namespace {

namespace fs = std::filesystem;
using enum Option;
const fs::path corpus = VELMORA_QIF_CORPUS;

class Corpus : public ::testing::Test {
protected:
    void SetUp() override {
        if (fs::is_directory(corpus)) return;
        if (std::getenv("VELMORA_REQUIRE_CORPUS") != nullptr) FAIL() << "QIF corpus missing: " << corpus;
        GTEST_SKIP() << "QIF corpus not on this machine: " << corpus;
    }
    static std::vector<BookingArguments> book_file(const fs::path& file, const testing::Options& ticked = {}) {
        return testing::book_lines(read_lines(corpus / file).lines, ticked);
    }
};

struct FieldRow {
    const char* file;
    testing::Options ticked;
    std::size_t booking;
    std::size_t text;  // 0 date, 2 amount, 3 from, 4 to, 5 category, 9 the number of bookings
    std::string_view expected;
};

TEST_F(Corpus, BooksTheRecordsOfEachFileFieldByField) {
    const FieldRow rows[] = {
        {"gnucash/abc.qif", {}, 0, 9, "7"},  {"gnucash/abc-all.qif", {}, 0, 9, "10"},  // records end in "^^"
        {"gnucash/ms-money.qif", {}, 0, 9, "347"},  {"kmymoney/bug-337405.qif", {}, 0, 9, "1"},  // and list blocks
        {"gnucash/abc.qif", {kat_konto}, 3, 4, "Swipe Brokers"},  // «T-5,000.00» to [Swipe Brokers]
        {"gnucash/ms-money.qif", {kat_konto}, 0, 3, "New Bank"},  // opening balance from the account it names
        {"gnucash/Money95invst_fr.qif", {}, 0, 2, "14560832"},
        // «T-4,500.00» to [Compte courant] is the other side of an own transfer and is left out.
        {"gnucash/Money95invst_fr.qif", {mit_kat, kat_konto, kat_gleich}, 8, 0, "26.12.1995"},
        {"gnucash/inconsistent-per-record-formats.qif", {}, 1, 0, "25.01.2024"},
    };
    for (const auto& row : rows) {
        const auto sent = book_file(row.file, row.ticked);
        if (row.text == 9) {
            EXPECT_EQ(std::to_string(sent.size()), row.expected) << row.file;
            continue;
        }
        ASSERT_LT(row.booking, sent.size()) << row.file;
        EXPECT_EQ(sent[row.booking][row.text], row.expected) << row.file << " booking " << row.booking;
    }
}

}  // namespace
}  // namespace velmora::import
