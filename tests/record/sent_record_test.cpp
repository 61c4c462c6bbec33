// Which lines the record takes as its own: a line another program wrote, or
// one a person damaged, is named and passed over, never read as a booking
// sent; a line of ours with escaped texts keeps its account and key.
#include <gtest/gtest.h>

#include "record/sent_record.h"

namespace velmora::record {
namespace {

struct LineRow {
    const char* name;
    std::string line;  // without its line end
    bool ours;
};

void PrintTo(const LineRow& row, std::ostream* out) { *out << row.name; }

const std::string texts = "\t03.11.2026\t03.11.2026\t450\tGirokonto\tUnbekannt\tSonstiges\tBäckerei\tBrötchen\t";
const std::string head = "2026-12-06T10:00:00+0100\tgesendet\tGirokonto\t03.11.2026|450|Ausgabe|Bäckerei|Brötchen|1";

class RecordLines : public ::testing::TestWithParam<LineRow> {};

TEST_P(RecordLines, OnlyTheRecordsOwnLinesCount)
{
    const LineRow& row = GetParam();
    const std::string content = std::string(record_header) + row.line + "\n";
    const SentRecord record = SentRecord::Read(content);
    EXPECT_EQ(record.foreignLines(), row.ours ? std::vector<std::size_t>{} : std::vector<std::size_t>{2});
    EXPECT_EQ(record.knows("Girokonto"), row.ours);
}

const LineRow line_rows[] = {
    {"ThirteenFields", head + texts, true},
    {"TwelveFields", head + texts.substr(0, texts.rfind('\t')), false},
    {"FourteenFields", head + texts + "\t", false},
    {"EscapedTabInAText", head + texts + "a\\tb", true},
    {"UnknownEscapeInAText", head + texts + "a\\xb", false},
    {"BackslashEndingAText", head + "\t03.11.2026\\" + texts.substr(11), false},
    {"UnknownState", "2026-12-06T10:00:00+0100\tverschickt" + head.substr(33) + texts, false},
    {"NoTime", "gestern\tgesendet" + head.substr(33) + texts, false},
    {"GermanTime", "06.12.2026 10:00:00\tgesendet" + head.substr(33) + texts, false},
};

INSTANTIATE_TEST_SUITE_P(SentRecord, RecordLines, ::testing::ValuesIn(line_rows),
                         [](const auto& info) { return std::string(info.param.name); });

// An account or key with a tab or backslash is written escaped; read back,
// it is the same account and key.
TEST(SentRecord, EscapedAccountAndKeyAreReadAsWritten)
{
    const std::string account = "Giro\tkonto\\2";
    const std::string key = "03.11.2026|450|Ausgabe|B\\\\ä|c\td|2";
    const std::string content = std::string(record_header)
                                + RecordLine({"2026-12-06T10:00:00+0100", SentState::unterwegs, account, key,
                                              import::BookingArguments(9)});
    const SentRecord record = SentRecord::Read(content);
    const SentRecord::Last* last = record.last(account, key);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->state, SentState::unterwegs);
    EXPECT_EQ(last->time, "2026-12-06T10:00:00+0100");
    EXPECT_EQ(record.last(account, "03.11.2026|450|Ausgabe|B\\\\ä|c\td|1"), nullptr);
}

}  // namespace
}  // namespace velmora::record
