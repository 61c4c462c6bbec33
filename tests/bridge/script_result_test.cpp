// What comes back from a script: its output exactly, less only the one line
// end that ends it, repaired where it is no UTF-8; and Zandor's account names
// as they are taken apart.
#include <gtest/gtest.h>

#include "bridge/banking_scripts.h"
#include "tests/support/temporary_bundle.h"

namespace velmora {
namespace {

struct ResultRow {
    const char* name;
    const char* printf_format;  // what the script prints, as a printf format
    std::string expected;
};

void PrintTo(const ResultRow& row, std::ostream* out) { *out << row.name; }

class ScriptResult : public ::testing::TestWithParam<ResultRow> {};

TEST_P(ScriptResult, IsTheOutputLessItsFinalLineEnd)
{
    const testing::TemporaryBundle bundle;
    bundle.writeScript(kKontennamenScript, std::string("#!/bin/sh\nprintf '") + GetParam().printf_format + "'\n");
    EXPECT_EQ(Kontennamenermitteln({}), GetParam().expected);
}

const ResultRow result_rows[] = {
    {"FinalLineEndRemovedBlanksAndInnerLineEndsKept", "  Giro, \\nSpar \\n", "  Giro, \nSpar "},
    {"OneByte", "x", "x"},
    {"OnlyOneFinalLineEndRemoved", "Girokonto\\n\\n", "Girokonto\n"},
    {"CarriageReturnBeforeFinalLineEndKept", "a\\r\\n", "a\r"},
    {"TwoThreeAndFourByteCharacters", "M\\303\\274ller \\342\\202\\254 \\342\\202\\277 \\360\\237\\222\\266\\n",
     "Müller € ₿ 💶"},
    {"InvalidByteReplaced", "a\\377b\\n", "a\xEF\xBF\xBD" "b"},
    {"TruncatedSequenceReplacedOnce", "a\\342\\202", "a\xEF\xBF\xBD"},
    {"ThreeByteSequenceBrokenByC0", "\\342\\202\\300", "\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"SurrogateReplaced", "\\355\\240\\200", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"LeadAboveF4Replaced", "\\365\\200\\200\\200", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
};

INSTANTIATE_TEST_SUITE_P(Bridge, ScriptResult, ::testing::ValuesIn(result_rows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(AccountNames, SplitAtEveryCommaAndBlankOnly)
{
    using Names = std::vector<std::string>;
    EXPECT_EQ(AccountNames("Girokonto, Sparbuch"), (Names{"Girokonto", "Sparbuch"}));
    EXPECT_EQ(AccountNames("Müller,Meier, Kasse"), (Names{"Müller,Meier", "Kasse"}));
    EXPECT_EQ(AccountNames("Giro, , Spar, "), (Names{"Giro", "", "Spar", ""}));
    EXPECT_EQ(AccountNames(" Giro ,  Spar"), (Names{" Giro ", " Spar"}));
}

}  // namespace
}  // namespace velmora
