// Both ways of running a script, through the bridge: the file itself, or
// osascript with the script's path first. Here a stand-in osascript records
// its arguments and runs the "compiled script" with sh. Whatever the way, each
// text arrives as one argument, byte for byte, and each failure is named.
#include <gtest/gtest.h>

#include "bridge/banking_scripts.h"
#include "platform/errors.h"
#include "tests/support/temporary_bundle.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// Records its texts, each followed by a NUL, next to itself; prints a result.
#define RECORDING_BODY "for text do printf '%s\\0' \"$text\"; done > \"${0%/*}/arguments\"\nprintf 'ok\\n'\n"
constexpr std::string_view interpreter_line = "#!/bin/sh\n";
constexpr std::string_view standin_osascript = "#!/bin/sh\n"
                                               "for text do printf '%s\\0' \"$text\"; done > \"${0%/*}/osascript-argv\"\n"
                                               "exec /bin/sh \"$@\"\n";

ScriptArguments recorded(const fs::path& file)
{
    ScriptArguments texts = testing::split(testing::readFile(file), '\0');
    texts.pop_back();  // what follows the last NUL
    return texts;
}

class ScriptWayTest {
protected:
    ScriptWayTest()
    {
        testing::writeFile(osascript(), standin_osascript);
        fs::permissions(osascript(), fs::perms::owner_all);
    }
    ~ScriptWayTest() { UseScriptRunner(previous_runner); }

    void use(ScriptWay way, const fs::path& osascript_program) { UseScriptRunner({way, osascript_program}); }
    fs::path osascript() const { return bundle.folder / "osascript"; }
    fs::path osascriptRecord() const { return bundle.folder / "osascript-argv"; }

    const testing::TemporaryBundle bundle;
    const ScriptRunner previous_runner = UseScriptRunner({});
};

// What a file in the bundle looks like in each way: the demo bank's kind of
// script for the file itself, a script without interpreter line (standing in
// for a compiled one) for osascript.
std::string scriptFileFor(ScriptWay way, std::string_view body)
{
    return (way == ScriptWay::direct ? std::string(interpreter_line) : std::string()) + std::string(body);
}

struct TextsRow {
    const char* name;
    ScriptArguments texts;
};

const TextsRow texts_rows[] = {
    {"NoTexts", {}},
    {"Booking", {"01.02.2024", "01.02.2024", "123456", "Girokonto", "Unbekannt", "Sonstiges", "Bäcker", "", ""}},
    {"EmptyTexts", {"", "", ""}},
    {"ShellSyntax", {"$(touch ausgefuehrt)", "`id`", "\"; echo x", "'", "a;b|c&d>e", "*", "$HOME", "~", "\\"}},
    {"OptionLike", {"-n", "--", "-e", "%s%n"}},
    // Precomposed "ä" must leave as C3 A4, the decomposed form as it is.
    {"Umlauts", {"\xC3\xA4", "Müller & Söhne", "a\xCC\x88", "€"}},
    {"LineBreaksAndBlanks", {"a\nb", "c\rd", "\t", "  zwei Blanks  "}},
};

class TextsInBothWays : public ScriptWayTest,
                        public ::testing::TestWithParam<std::tuple<ScriptWay, TextsRow>> {};

TEST_P(TextsInBothWays, ArriveAsOneArgumentEachByteForByte)
{
    const auto& [way, row] = GetParam();
    use(way, osascript());
    bundle.writeScript(kBuchungScript, scriptFileFor(way, RECORDING_BODY), way == ScriptWay::direct);

    EXPECT_EQ(buchungViaTessel(row.texts), "ok");

    EXPECT_EQ(recorded(bundle.resources / "arguments"), row.texts);
    ASSERT_EQ(fs::exists(osascriptRecord()), way == ScriptWay::osascript);
    if (way == ScriptWay::osascript) {
        ScriptArguments script_first{(bundle.resources / kBuchungScript).string()};
        script_first.insert(script_first.end(), row.texts.begin(), row.texts.end());
        EXPECT_EQ(recorded(osascriptRecord()), script_first);
    }
    EXPECT_FALSE(fs::exists(bundle.resources / "ausgefuehrt"));
}

INSTANTIATE_TEST_SUITE_P(Bridge, TextsInBothWays,
                         ::testing::Combine(::testing::Values(ScriptWay::direct, ScriptWay::osascript),
                                            ::testing::ValuesIn(texts_rows)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) == ScriptWay::direct ? "Direct" : "Osascript")
                                    + std::get<1>(info.param).name;
                         });

struct WayRow {
    const char* name;
    ScriptWay way;
    std::optional<std::string> file;  // none: the script is absent
    bool executable;
    bool through_osascript;
    std::vector<std::string> failure;  // parts of the error; empty: the script ran and recorded
    bool osascript_missing = false;
};

void PrintTo(const WayRow& row, std::ostream* out) { *out << row.name; }

const std::string record = RECORDING_BODY;
const std::string shell_record = std::string(interpreter_line) + RECORDING_BODY;
constexpr auto direct = ScriptWay::direct;
constexpr auto osascript = ScriptWay::osascript;

const WayRow way_rows[] = {
    // Which way a file takes.
    {"OsascriptExecutesAnInterpreterScriptItself", osascript, shell_record, true, false, {}},
    {"OsascriptRunsAnInterpreterScriptItMayNotExecute", osascript, shell_record, false, true, {}},
    {"OsascriptRunsAnExecutableFileWithoutInterpreterLine", osascript, record, true, true, {}},
    // Each failure, named with the script and the reason.
    {"DirectNotExecutable", direct, shell_record, false, false, {"ließ sich nicht starten", "keine Ausführungsrechte"}},
    {"DirectNoInterpreterLine", direct, record, true, false, {"ließ sich nicht starten", "kein ausführbares Programm"}},
    {"DirectMissing", direct, std::nullopt, true, false,
     {"wurde nicht gefunden", "/T.app/Contents/Resources/buchungViaTessel.scpt"}},
    {"OsascriptMissing", osascript, std::nullopt, true, true, {"wurde nicht gefunden"}},
    {"OsascriptItselfMissing", osascript, record, false, false,
     {"ließ sich über »", "/kein-osascript« nicht starten: Die Datei ist nicht vorhanden."}, true},
    {"DirectNonZeroExit", direct, "#!/bin/sh\necho 'Konto »Giro« fehlt' >&2\nexit 3\n", true, false,
     {"ist mit Status 3 beendet worden: Konto »Giro« fehlt"}},
    {"OsascriptNonZeroExit", osascript, "echo 'Konto »Giro« fehlt' >&2\nexit 3\n", false, true,
     {"ist mit Status 3 beendet worden: Konto »Giro« fehlt"}},
    {"NonZeroExitWithoutErrorOutput", direct, "#!/bin/sh\nexit 1\n", true, false,
     {"ist mit Status 1 beendet worden (ohne Fehlerausgabe)."}},
    {"DirectKilledBySignal", direct, "#!/bin/sh\necho 'Zandor antwortet nicht' >&2\nkill -KILL $$\n", true, false,
     {"ist durch Signal 9 abgebrochen worden: Zandor antwortet nicht"}},
    {"OsascriptKilledBySignal", osascript, "echo 'Zandor antwortet nicht' >&2\nkill -KILL $$\n", false, true,
     {"ist durch Signal 9 abgebrochen worden: Zandor antwortet nicht"}},
    {"InvalidUtf8ErrorOutput", osascript, "printf 'M\\374ller\\n' >&2\nexit 2\n", false, true,
     {"Status 2 beendet worden: M\xEF\xBF\xBDller"}},
};

class ScriptWays : public ScriptWayTest, public ::testing::TestWithParam<WayRow> {};

TEST_P(ScriptWays, TakeTheWayTheFileNeedsAndNameEveryFailure)
{
    const WayRow& row = GetParam();
    use(row.way, row.osascript_missing ? bundle.folder / "kein-osascript" : osascript());
    if (row.file)
        bundle.writeScript(kBuchungScript, *row.file, row.executable);

    try {
        EXPECT_EQ(buchungViaTessel({"Giro", "ä"}), "ok");
        EXPECT_TRUE(row.failure.empty()) << "no error raised";
        EXPECT_EQ(recorded(bundle.resources / "arguments"), (ScriptArguments{"Giro", "ä"}));
    } catch (const ScriptError& error) {
        const std::string message = error.what();
        EXPECT_FALSE(row.failure.empty()) << message;
        EXPECT_NE(message.find("Das Skript »buchungViaTessel.scpt«"), std::string::npos) << message;
        for (const std::string& part : row.failure)
            EXPECT_NE(message.find(part), std::string::npos) << "missing »" << part << "« in: " << message;
    }
    EXPECT_EQ(fs::exists(osascriptRecord()), row.through_osascript);
}

INSTANTIATE_TEST_SUITE_P(Bridge, ScriptWays, ::testing::ValuesIn(way_rows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptArgumentCheck, TextWithNulByteIsRefusedBeforeTheScriptRuns)
{
    const testing::TemporaryBundle bundle;
    bundle.writeScript(kBuchungScript, "#!/bin/sh\n: > \"${0%/*}/ran\"\n");

    try {
        buchungViaTessel({"Giro", std::string("ab\0cd", 5)});
        FAIL() << "a text with a NUL byte was passed on";
    } catch (const ScriptError& error) {
        EXPECT_NE(std::string(error.what()).find("Text 1 enthält ein Nullzeichen"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(fs::exists(bundle.resources / "ran"));
}

}  // namespace
}  // namespace velmora
