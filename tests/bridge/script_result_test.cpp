// The script's output comes back exactly, less only the one line end that
// ends it; output that is not UTF-8 is repaired, never a crash.
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

const ResultRow kResultRows[] = {
    {"FinalLineEndRemoved", "Girokonto, Sparbuch\\n", "Girokonto, Sparbuch"},
    {"NoFinalLineEnd", "Girokonto", "Girokonto"},
    {"OnlyOneFinalLineEndRemoved", "Girokonto\\n\\n", "Girokonto\n"},
    {"BlanksKept", "  Girokonto , Sparbuch  \\n", "  Girokonto , Sparbuch  "},
    {"InnerLineEndsKept", "a\\nb\\n", "a\nb"},
    {"CarriageReturnsKept", "a\\rb\\r", "a\rb\r"},
    {"CarriageReturnBeforeFinalLineEndKept", "a\\r\\n", "a\r"},
    {"EmptyOutput", "", ""},
    {"OnlyALineEnd", "\\n", ""},
    {"Umlauts", "Gemeinschaftskonto M\\303\\274ller\\n", "Gemeinschaftskonto Müller"},
    {"InvalidByteReplaced", "a\\377b\\n", "a\xEF\xBF\xBD" "b"},
    {"Latin1UmlautReplaced", "M\\374ller", "M\xEF\xBF\xBDller"},
    {"TruncatedSequenceReplacedOnce", "a\\342\\202", "a\xEF\xBF\xBD"},
    {"OverlongFormReplaced", "\\300\\257", "\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"SurrogateReplaced", "\\355\\240\\200", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"FourByteCharacterKept", "\\360\\237\\222\\266", "\xF0\x9F\x92\xB6"},
};

INSTANTIATE_TEST_SUITE_P(Bridge, ScriptResult, ::testing::ValuesIn(kResultRows),
                         [](const auto& row) { return std::string(row.param.name); });

// A reader that waited for the end of one stream before reading the other
// would hang here: the error output fills its pipe first.
TEST(ScriptResult, LargeOutputOnBothStreamsDoesNotBlock)
{
    const testing::TemporaryBundle bundle;
    bundle.writeScript(kKontennamenScript, R"(#!/bin/sh
head -c 1048576 /dev/zero | tr '\0' e >&2
head -c 1048576 /dev/zero | tr '\0' o
)");

    const std::string result = Kontennamenermitteln({});

    EXPECT_EQ(result.size(), 1048576u);
    EXPECT_EQ(result.find_first_not_of('o'), std::string::npos);
}

}  // namespace
}  // namespace velmora
