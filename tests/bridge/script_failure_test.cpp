// Each way a script can fail raises ScriptError naming the script and carrying
// what it wrote to its error output.
#include <gtest/gtest.h>

#include <optional>

#include "bridge/banking_scripts.h"
#include "platform/errors.h"
#include "tests/support/temporary_bundle.h"

namespace velmora {
namespace {

struct FailureRow {
    const char* name;
    std::optional<std::string> script;  // none: the script is absent
    bool executable;
    std::vector<std::string> message_parts;
};

void PrintTo(const FailureRow& row, std::ostream* out) { *out << row.name; }

class ScriptFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(ScriptFailure, RaisesScriptErrorWithNameAndReason)
{
    const FailureRow& row = GetParam();
    const testing::TemporaryBundle bundle;
    if (row.script)
        bundle.writeScript(kBuchungScript, *row.script, row.executable);

    try {
        buchungViaTessel({"01.02.2024"});
        FAIL() << "no error raised";
    } catch (const ScriptError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("Das Skript »buchungViaTessel.scpt«"), std::string::npos) << message;
        for (const std::string& part : row.message_parts)
            EXPECT_NE(message.find(part), std::string::npos) << "missing »" << part << "« in: " << message;
    }
}

const FailureRow kFailureRows[] = {
    {"Missing", std::nullopt, true, {"wurde nicht gefunden", "/T.app/Contents/Resources/buchungViaTessel.scpt"}},
    {"NotExecutable", "#!/bin/sh\nexit 0\n", false, {"ließ sich nicht starten", "keine Ausführungsrechte"}},
    {"NoInterpreterLine", "exit 0\n", true, {"ließ sich nicht starten", "kein ausführbares Programm"}},
    {"NonZeroExit", "#!/bin/sh\necho 'Konto »Giro« fehlt' >&2\nexit 3\n", true,
     {"ist mit Status 3 beendet worden: Konto »Giro« fehlt"}},
    {"NonZeroExitWithoutErrorOutput", "#!/bin/sh\nexit 1\n", true,
     {"ist mit Status 1 beendet worden (ohne Fehlerausgabe)."}},
    {"KilledBySignal", "#!/bin/sh\necho 'Zandor antwortet nicht' >&2\nkill -KILL $$\n", true,
     {"ist durch Signal 9 abgebrochen worden: Zandor antwortet nicht"}},
    {"InvalidUtf8ErrorOutput", "#!/bin/sh\nprintf 'M\\374ller\\n' >&2\nexit 2\n", true,
     {"Status 2 beendet worden: M\xEF\xBF\xBDller"}},
};

INSTANTIATE_TEST_SUITE_P(Bridge, ScriptFailure, ::testing::ValuesIn(kFailureRows),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace velmora
