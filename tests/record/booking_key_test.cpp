// Which bookings of a second export go out after a first one was sent: the
// key recognises a booking by account, date, amount, direction, payee and
// memo and its occurrence, never by what options make of it.
#include <gtest/gtest.h>

#include "cli/staying_home_summary.h"
#include "platform/text.h"
#include "record/send_plan.h"

namespace velmora::record {
namespace {

// A booking of the account: an amount with "-" leaves it; `other` is the
// account on the other side, as the options make it.
struct Payment {
    std::string date = "03.11.2026";
    std::string amount = "-450";
    std::string payee = "Bäckerei";
    std::string memo = "Brötchen";
    std::string category = "Sonstiges";
    std::string other = "Unbekannt";

    import::BookingArguments of(const std::string& account) const
    {
        const bool pays = amount.starts_with('-');
        const std::string cents = pays ? amount.substr(1) : amount;
        return {date, date, cents, pays ? account : other, pays ? other : account, category, payee, memo, ""};
    }
};

const Payment bakery;
const Payment salary{.amount = "250000", .payee = "Firma", .memo = "Gehalt"};
const Payment salary_via_savings{.amount = "250000", .payee = "Firma", .memo = "Gehalt", .other = "Sparbuch"};
const Payment power{.date = "15.11.2026", .amount = "-6000", .payee = "Stadtwerke", .memo = "Abschlag"};

struct KeyRow {
    const char* name;
    std::vector<Payment> first;   // sent to Girokonto before
    std::vector<Payment> second;
    std::size_t going_out;        // of the second
    std::string second_account = "Girokonto";
};

void PrintTo(const KeyRow& row, std::ostream* out) { *out << row.name; }

// The record a completed send of `payments` leaves behind.
std::string recordOfSending(const std::vector<Payment>& payments)
{
    const SentRecord nothing = SentRecord::Read("");
    SendPlanner planner("Girokonto", nothing, false, KeyUse::recording);
    std::string record(record_header);
    for (const Payment& payment : payments) {
        const import::BookingArguments texts = payment.of("Girokonto");
        const std::string key = planner.judge(texts).key;
        for (SentState state : {SentState::unterwegs, SentState::gesendet})
            record += RecordLine({"2026-12-06T10:00:00+0100", state, "Girokonto", key, texts});
    }
    return record;
}

// Every key shares one digest: only the full keys can tell bookings apart.
KeyDigest everyDigestCollides(const KeyFields&) { return {1, 2}; }

class Keys : public ::testing::TestWithParam<KeyRow> {
protected:
    static void expectGoingOut(const KeyRow& row, DigestFunction digest_of)
    {
        const std::string text = recordOfSending(row.first);
        const SentRecord record = SentRecord::Read(text, digest_of);
        SendPlanner planner(row.second_account, record, false, KeyUse::recording);
        std::size_t going_out = 0;
        for (const Payment& payment : row.second)
            going_out += planner.judge(payment.of(row.second_account)).goes_out ? 1 : 0;
        EXPECT_EQ(going_out, row.going_out);
        const std::size_t staying = row.second.size() - going_out;
        EXPECT_EQ(cli::StayingHomeSummary(planner.stayingHome(), {.konto = row.second_account, .files = {}, .record = {}}),
                  staying == 0 ? "" : text::CountOf(staying, "Buchung", "Buchungen") + " übersprungen: schon am 06.12.2026 an »"
                                          + row.second_account + "« gesendet\n");
    }
};

TEST_P(Keys, SendWhatTheRecordDoesNotKnow) { expectGoingOut(GetParam(), KeyDigestOf); }

TEST_P(Keys, SendWhatTheRecordDoesNotKnowWhenEveryDigestCollides) { expectGoingOut(GetParam(), everyDigestCollides); }

const KeyRow key_rows[] = {
    {"IdenticalSameDayPaymentsAreBothSent", {}, {bakery, bakery}, 2},
    {"OverlappingSecondFileSendsOnlyTheNew", {bakery, power}, {power, salary}, 1},
    {"ThirdIdenticalPaymentNewInTheSecondFile", {bakery, bakery}, {bakery, bakery, bakery}, 1},
    {"AnotherAccountIsANewKey", {bakery}, {bakery}, 1, "Sparbuch"},
    {"AnotherCategoryIsTheSameKey", {bakery}, {{.category = "Lebensmittel"}}, 0},
    {"AnotherCounterAccountIsTheSameKey", {salary}, {salary_via_savings}, 0},
    {"AnotherMemoIsANewKey", {bakery}, {{.memo = "Kuchen"}}, 1},
    {"AnotherDirectionIsANewKey", {bakery}, {{.amount = "450"}}, 1},
    {"AnotherDateIsANewKey", {bakery}, {{.date = "03.12.2026"}}, 1},
    {"AnotherAmountIsANewKey", {bakery}, {{.amount = "-451"}}, 1},
    {"TabsLineEndsAndBackslashesKeepTheirKey", {{.memo = "a\tb\\n\r\nc\\"}}, {{.memo = "a\tb\\n\r\nc\\"}}, 0},
    {"ASeparatorMovedBetweenPayeeAndMemoIsANewKey", {{.payee = "a|b", .memo = "c"}}, {{.payee = "a", .memo = "b|c"}}, 1},
};

INSTANTIATE_TEST_SUITE_P(BookingKey, Keys, ::testing::ValuesIn(key_rows),
                         [](const auto& info) { return std::string(info.param.name); });

// A record that sent one bakery, then two files: whether the record or an
// earlier file knows a booking is decided by its full key, never by its
// digest alone, as a send counts it and as the preview of the last file does.
TEST(Keys, CollidingDigestsNeverTakeOneBookingForAnother)
{
    const std::string text = recordOfSending({bakery});
    const std::vector<std::vector<Payment>> files{{salary, bakery}, {power, bakery, bakery, salary}};
    for (const KeyUse use : {KeyUse::recording, KeyUse::judging}) {
        for (const DigestFunction digest_of : {DigestFunction{KeyDigestOf}, DigestFunction{everyDigestCollides}}) {
            SCOPED_TRACE(std::string(use == KeyUse::recording ? "send" : "preview")
                         + (digest_of == KeyDigestOf ? "" : ", every digest colliding"));
            const SentRecord record = SentRecord::Read(text, digest_of);
            SendPlanner planner("Girokonto", record, false, use);
            std::string marks;
            for (const auto& file : files) {
                planner.startFile(&file != &files.back());
                for (const Payment& payment : file)
                    marks += std::string(MarkName(planner.judge(payment.of("Girokonto")).mark)) + "; ";
                marks += "| ";
            }
            EXPECT_EQ(marks, "neu; schon gesendet; | neu; schon gesendet; neu; frühere Datei; | ");
        }
    }
}

}  // namespace
}  // namespace velmora::record
