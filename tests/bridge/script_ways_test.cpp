// Both ways of running a script, through the bridge: the file itself, or
// osascript with the script's path first. A stand-in osascript records its
// arguments and runs the "compiled script" with sh. On a Mac, given a probe
// compiled with osacompile (VELMORA_OSASCRIPT_PROBE), the texts also go
// through the real /usr/bin/osascript. Whatever the way, each text arrives as
// one argument, byte for byte, and each failure is named.
#include <gtest/gtest.h>

#include <cstdlib>

#include "bridge/banking_scripts.h"
#include "platform/errors.h"
#include "tests/support/temporary_bundle.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::Texts;
constexpr auto direct = ScriptWay::direct;
constexpr auto osascript = ScriptWay::osascript;

// Records its texts, each followed by a NUL, next to itself, and prints a result.
const std::string record = "for text do printf '%s\\0' \"$text\"; done > \"${0%/*}/arguments\"\nprintf 'ok\\n'\n";
const std::string shell_record = "#!/bin/sh\n" + record;

// None, a booking's, what a shell would run, and what an escape would change.
const Texts text_rows[] = {
    {}, {"01.02.2024", "", "123456", "Girokonto", "Bäcker", "", "", "", ""},
    {"$(touch ausgefuehrt)", "`id`", "\"; echo x", "'", "a;b|c&d>e", "*", "~"},
    // A precomposed "ü" leaves as C3 BC, the decomposed form as it is.
    {"\xC3\xBC", "u\xCC\x88", "€", "-n", "--", "%s", "\\", "a\nb\r", "  "},
};

class ScriptWayTest {
protected:
    ScriptWayTest()
    {
        testing::writeFile(standin, "#!/bin/sh\nfor text do printf '%s\\0' \"$text\"; done > \"${0%/*}/osascript-argv\"\n"
                                    "exec /bin/sh \"$@\"\n");
        fs::permissions(standin, fs::perms::owner_all);
    }
    ~ScriptWayTest() { UseScriptRunner(previous_runner); }
    Texts recorded(const fs::path& file) const
    {
        Texts texts = testing::split(testing::readFile(file), '\0');
        texts.pop_back();  // what follows the last NUL
        return texts;
    }

    const testing::TemporaryBundle bundle;
    const fs::path standin = bundle.folder / "osascript", osascript_record = bundle.folder / "osascript-argv";
    const ScriptRunner previous_runner = UseScriptRunner({});
};

struct WayRow {
    const char* name;
    ScriptWay way;
    std::optional<std::string> file;  // none: the script is absent
    bool executable;
    bool through_osascript;
    std::string failure;  // part of the error; empty: the script ran and recorded
    bool osascript_missing = false;
    Texts texts = {"Giro", "ä"};
};

void PrintTo(const WayRow& row, std::ostream* out) { *out << row.name; }

const WayRow way_rows[] = {
    {"OsascriptRunsAnInterpreterScriptItself", osascript, shell_record, true, false, ""},
    {"OsascriptTakesAnInterpreterScriptNotToBeExecuted", osascript, shell_record, false, true, ""},
    {"OsascriptTakesAnExecutableWithoutInterpreterLine", osascript, record, true, true, ""},
    {"NotExecutable", direct, shell_record, false, false, "ließ sich nicht starten: Die Datei darf nicht ausgeführt werden"},
    {"NoInterpreterLine", direct, record, true, false, "ließ sich nicht starten: Die Datei ist kein ausführbares Programm"},
    {"Missing", direct, std::nullopt, true, false, "wurde nicht gefunden: /"},
    {"MissingForOsascript", osascript, std::nullopt, true, true, "wurde nicht gefunden: /"},
    {"OsascriptMissing", osascript, record, false, false, "/kein-osascript« nicht starten: Die Datei ist nicht vorhanden.", true},
    {"NonZeroExit", osascript, "echo 'Konto »Giro« fehlt' >&2\nexit 3\n", false, true,
     "ist mit Status 3 beendet worden: Konto »Giro« fehlt"},
    {"NonZeroExitWithoutErrorOutput", direct, "#!/bin/sh\nexit 1\n", true, false, "Status 1 beendet worden (ohne Fehlerausgabe)."},
    {"KilledBySignal", osascript, "echo 'Zandor schweigt' >&2\nkill -KILL $$\n", false, true,
     "ist durch Signal 9 abgebrochen worden: Zandor schweigt"},
    // Either text would arrive altered: cut short, or with its broken bytes replaced.
    {"TextWithNulByte", direct, shell_record, true, false, "Text 0 enthält ein Nullzeichen", false, {std::string("a\0b", 3)}},
    {"LaterTextEndingInNul", direct, shell_record, true, false, "Text 2 enthält", false, {"Giro", "", std::string("ab\0", 3)}},
    {"TextNoUtf8", osascript, record, false, false, "Text 1 ist kein gültiges UTF-8", false, {"Giro", "M\xFCller"}},
};

// Each row of texts both ways: a shell script runs as itself, one without
// interpreter line stands in for a compiled one.
std::vector<WayRow> textRows()
{
    std::vector<WayRow> rows;
    for (const Texts& texts : text_rows) {
        rows.push_back({"Direct", direct, shell_record, true, false, "", false, texts});
        rows.push_back({"StandInOsascript", osascript, record, false, true, "", false, texts});
    }
    return rows;
}

class ScriptWays : public ScriptWayTest, public ::testing::TestWithParam<WayRow> {};

TEST_P(ScriptWays, TakeTheWayTheFileNeedsKeepEachTextAndNameEveryFailure)
{
    const WayRow& row = GetParam();
    UseScriptRunner({row.way, row.osascript_missing ? bundle.folder / "kein-osascript" : standin});
    if (row.file)
        bundle.writeScript(kBuchungScript, *row.file, row.executable);
    try {
        EXPECT_EQ(buchungViaTessel(row.texts), "ok");
        EXPECT_EQ(recorded(bundle.resources / "arguments"), row.texts);
        EXPECT_EQ(row.failure, "") << "no error raised";
    } catch (const ScriptError& error) {
        EXPECT_TRUE(std::string_view(error.what()).starts_with("Das Skript »buchungViaTessel.scpt« ")) << error.what();
        EXPECT_NE(row.failure, "");
        EXPECT_NE(std::string(error.what()).find(row.failure), std::string::npos) << error.what();
        EXPECT_FALSE(fs::exists(bundle.resources / "arguments"));
    }
    Texts script_first{(bundle.resources / kBuchungScript).string()};
    script_first.insert(script_first.end(), row.texts.begin(), row.texts.end());
    EXPECT_EQ(recorded(osascript_record), row.through_osascript ? script_first : Texts{});
}

INSTANTIATE_TEST_SUITE_P(Bridge, ScriptWays, ::testing::ValuesIn(way_rows),
                         [](const auto& info) { return std::string(info.param.name); });
// "StandInOsascript3": the way, then the row of texts.
INSTANTIATE_TEST_SUITE_P(Texts, ScriptWays, ::testing::ValuesIn(textRows()),
                         [](const auto& info) { return info.param.name + std::to_string(info.index / 2); });

class RealOsascript : public ScriptWayTest, public ::testing::TestWithParam<Texts> {};

TEST_P(RealOsascript, PassesEachTextAsOneArgumentByteForByte)
{
    const char* probe = std::getenv("VELMORA_OSASCRIPT_PROBE");
    if (probe == nullptr)
        GTEST_SKIP() << "no probe compiled with osacompile";
    UseScriptRunner({osascript});
    fs::copy_file(probe, bundle.resources / kBuchungScript);
    setenv("VELMORA_PROBE_RECORD", (bundle.resources / "arguments").c_str(), 1);  // where the probe writes what it gets
    EXPECT_EQ(buchungViaTessel(GetParam()), "ok");
    EXPECT_EQ(recorded(bundle.resources / "arguments"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Bridge, RealOsascript, ::testing::ValuesIn(text_rows));

}  // namespace
}  // namespace velmora
