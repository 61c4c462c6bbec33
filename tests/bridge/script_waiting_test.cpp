// Waiting for a script with a hook: the hook is asked while the script runs,
// and a script it gives up on is ended with everything it started, politely
// or, if it will not go, by force. The script runs in a process group of its
// own, so a Ctrl+C at the terminal never reaches it.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include "bridge/banking_scripts.h"
#include "platform/errors.h"
#include "tests/support/temporary_bundle.h"

namespace velmora {
namespace {

using process::WhileWaiting;

struct WaitRow {
    const char* name;
    const char* script_body;
    int ask_before_ending;  // the hook's answer turns to end_program after so many questions; -1: never
    bool ended_on_request;
    int signal;  // what ended the script
};

void PrintTo(const WaitRow& row, std::ostream* out) { *out << row.name; }

class ScriptWaiting : public ::testing::TestWithParam<WaitRow> {};

TEST_P(ScriptWaiting, EndsTheScriptOnlyWhenAskedAndByForceIfItWillNotGo)
{
    const WaitRow& row = GetParam();
    const testing::TemporaryBundle bundle;
    bundle.writeScript("s", std::string("#!/bin/sh\n") + row.script_body);
    int questions = 0;
    const process::Outcome outcome = process::run(bundle.resources / "s", {}, [&] {
        return ++questions == row.ask_before_ending ? WhileWaiting::end_program : WhileWaiting::keep_waiting;
    });
    EXPECT_EQ(outcome.ended_on_request, row.ended_on_request);
    EXPECT_EQ(outcome.signal, row.signal);
    EXPECT_GT(questions, 1);  // asked while the script ran, not only once at its end
}

const WaitRow wait_rows[] = {
    {"RunsToItsEndWhileTheHookIsAsked", "sleep 0.2; echo ok\n", -1, false, 0},
    // The background sleep keeps the output open: only ending the whole group ends the wait.
    {"EndedWithWhatItStarted", "sleep 300 &\nwait\n", 3, true, SIGTERM},
    {"KilledWhenItIgnoresTheRequest", "trap '' TERM\nwhile :; do sleep 0.05; done\n", 3, true, SIGKILL},
    {"ClosedOutputButStillRunning", "exec >/dev/null 2>&1\nsleep 300\n", 3, true, SIGTERM},
};

INSTANTIATE_TEST_SUITE_P(Bridge, ScriptWaiting, ::testing::ValuesIn(wait_rows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ScriptWaiting, ScriptEndedOnRequestIsReportedAsSuch)
{
    const testing::TemporaryBundle bundle;
    bundle.writeScript(kBuchungScript, "#!/bin/sh\nsleep 300\n");
    EXPECT_THROW(buchungViaTessel({}, [] { return WhileWaiting::end_program; }), ScriptEnded);
}

TEST(ScriptWaiting, ScriptRunsInAProcessGroupOfItsOwn)
{
    const testing::TemporaryBundle bundle;
    bundle.writeScript("s", "#!/bin/sh\nsleep 300 >/dev/null 2>&1 &\necho $!\n");
    const process::Outcome outcome = process::run(bundle.resources / "s", {});
    const pid_t left_behind = std::stoi(outcome.standard_output);
    EXPECT_NE(getpgid(left_behind), getpgrp());
    kill(left_behind, SIGKILL);
}

}  // namespace
}  // namespace velmora
