// Every text reaches the script as one argument, byte for byte, in order:
// nothing in a text is ever read by a shell.
#include <gtest/gtest.h>

#include "bridge/banking_scripts.h"
#include "platform/errors.h"
#include "tests/support/temporary_bundle.h"

namespace velmora {
namespace {

// Records how many arguments it got and each followed by a NUL, next to itself.
constexpr std::string_view kRecordingScript = R"(#!/bin/sh
printf '%s' "$#" > "${0%/*}/count"
for text do printf '%s\0' "$text"; done > "${0%/*}/arguments"
)";

struct ArgumentRow {
    const char* name;
    ScriptArguments texts;
};

void PrintTo(const ArgumentRow& row, std::ostream* out) { *out << row.name; }

class ArgumentPassing : public ::testing::TestWithParam<ArgumentRow> {};

TEST_P(ArgumentPassing, TextsArriveUnchangedAndInOrder)
{
    const testing::TemporaryBundle bundle;
    bundle.writeScript(kBuchungScript, kRecordingScript);
    const ScriptArguments& texts = GetParam().texts;

    buchungViaTessel(texts);

    EXPECT_EQ(testing::readFile(bundle.resources / "count"), std::to_string(texts.size()));
    const std::string recorded = testing::readFile(bundle.resources / "arguments");
    ScriptArguments arrived = testing::split(recorded, '\0');
    arrived.pop_back();  // what follows the last NUL
    EXPECT_EQ(arrived, texts);
}

const ArgumentRow kArgumentRows[] = {
    {"NoTexts", {}},
    {"NineTextsOfABooking",
     {"01.02.2024", "01.02.2024", "123456", "Girokonto", "Unbekannt", "Sonstiges", "Bäckerei", "Brötchen", ""}},
    {"EmptyTexts", {"", "", ""}},
    {"ShellSyntax",
     {"$(touch ausgefuehrt)", "`touch ausgefuehrt`", "\"; echo x", "'", "a;b|c&d>e", "*", "$HOME", "~", "\\"}},
    {"OptionLikeTexts", {"-n", "--", "-e", "%s%n"}},
    // Precomposed "ä" must leave as C3 A4, the decomposed form as it is.
    {"Umlauts", {"\xC3\xA4", "Müller & Söhne", "a\xCC\x88", "€"}},
    {"LineBreaksAndBlanks", {"a\nb", "c\rd", "\t", "  zwei Blanks  "}},
};

INSTANTIATE_TEST_SUITE_P(Bridge, ArgumentPassing, ::testing::ValuesIn(kArgumentRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ArgumentPassing, TextWithNulByteIsRefusedBeforeTheScriptRuns)
{
    const testing::TemporaryBundle bundle;
    bundle.writeScript(kBuchungScript, "#!/bin/sh\n: > \"${0%/*}/ran\"\n");

    try {
        buchungViaTessel({"Giro", std::string("ab\0cd", 5)});
        FAIL() << "a text with a NUL byte was passed on";
    } catch (const ScriptError& error) {
        EXPECT_NE(std::string(error.what()).find("Text 1 enthält ein Nullzeichen"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(std::filesystem::exists(bundle.resources / "ran"));
}

}  // namespace
}  // namespace velmora
