// Waiting for a script: its end ends the wait, whatever it left running that
// still holds its output; a script the caller gives up on is ended with
// everything it started, politely or, if it will not go, by force; and no
// wait leaves a descriptor behind. The exit status holds even when the
// program was started ignoring SIGCHLD. Signals, which end a wait in
// velmora-import, are answered in the event loop.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <csignal>
#include <chrono>
#include <filesystem>
#include <signal.h>

#include "platform/process.h"
#include "platform/signal_watch.h"
#include "tests/support/temporary_bundle.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;

enum class TimeClass {
    ends_with_the_script,  // well before the background sleep of 5 s it leaves behind
    waits_for_the_end,     // at least until the caller ends it
};

enum class Caller {
    waits,
    ends_it,   // asks for the end 300 ms after the start
    has_quit,  // the application quit before the start: no nested loop runs any more
    ignores_sigchld,  // as a program started with SIGCHLD ignored does
};

struct WaitRow {
    const char* name;
    const char* script_body;  // after "#!/bin/sh"; nullptr: a file that cannot start
    Caller caller;
    std::size_t output_size;
    std::string end;  // how it ended, as ending() says it
    TimeClass time_class;
};

void PrintTo(const WaitRow& row, std::ostream* out) { *out << row.name; }

const WaitRow wait_rows[] = {
    {"WritesAndExits", "echo ok\n", Caller::waits, 3, "status 0", TimeClass::ends_with_the_script},
    {"LeavesABackgroundSleepHoldingItsOutput", "sleep 5 &\necho ok\n", Caller::waits, 3, "status 0",
     TimeClass::ends_with_the_script},
    {"ClosesItsOutputAndRunsOn", "exec >/dev/null 2>&1\nsleep 0.3\nexit 3\n", Caller::waits, 0, "status 3",
     TimeClass::waits_for_the_end},
    // Both streams more than a pipe holds: reading one only to its end first would deadlock.
    {"WritesMoreThanAPipeHolds",
     "head -c 1048576 /dev/zero | tr '\\0' e >&2\nhead -c 1048576 /dev/zero | tr '\\0' o\n", Caller::waits, 1048576,
     "status 0", TimeClass::ends_with_the_script},
    {"HangsThenIsEndedWithWhatItStarted", "sleep 300 &\nwait\n", Caller::ends_it, 0, "ended on request by signal 15",
     TimeClass::waits_for_the_end},
    {"HangsIgnoringTheRequestThenIsKilled", "trap '' TERM\nwhile :; do sleep 0.05; done\n", Caller::ends_it, 0,
     "ended on request by signal 9", TimeClass::waits_for_the_end},
    {"ExitsAfterTheApplicationHasQuit", "sleep 0.3\nexit 4\n", Caller::has_quit, 0, "status 4",
     TimeClass::waits_for_the_end},
    {"KeepsTheExitStatusWithSigchldIgnored", "exit 3\n", Caller::ignores_sigchld, 0, "status 3",
     TimeClass::ends_with_the_script},
    {"CannotStart", nullptr, Caller::waits, 0, "not started: Die Datei ist kein ausführbares Programm",
     TimeClass::ends_with_the_script},
};

std::string ending(const process::Outcome& outcome)
{
    if (!outcome.started)
        return "not started: " + outcome.error_output.substr(0, outcome.error_output.find(" und"));
    if (outcome.exited_normally)
        return "status " + std::to_string(outcome.exit_status);
    return std::string(outcome.ended_on_request ? "ended on request " : "") + "by signal "
           + std::to_string(outcome.signal);
}

// /dev/fd lists them on Linux and on the Mac alike.
std::size_t openDescriptors()
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("/dev/fd"), {}));
}

class ScriptWaiting : public ::testing::TestWithParam<WaitRow> {};

TEST_P(ScriptWaiting, EndsWithTheScriptAndLeavesNoDescriptor)
{
    const WaitRow& row = GetParam();
    const testing::TemporaryBundle bundle;
    bundle.writeScript("s", row.script_body ? std::string("#!/bin/sh\n") + row.script_body : "echo ok\n");
    process::run("/bin/true", {});  // what is made once, for every later child, is there before counting
    const std::size_t descriptors_before = openDescriptors();
    const auto started = std::chrono::steady_clock::now();
    process::Waiter waiter;
    if (row.caller == Caller::ends_it)
        QTimer::singleShot(300ms, [&] { waiter.endProgram(); });
    if (row.caller == Caller::has_quit)
        QCoreApplication::exit(0);
    struct sigaction ignore = {}, before = {};
    ignore.sa_handler = SIG_IGN;
    if (row.caller == Caller::ignores_sigchld)
        ::sigaction(SIGCHLD, &ignore, &before);
    const process::Outcome outcome = process::run(bundle.resources / "s", {}, &waiter);
    if (row.caller == Caller::ignores_sigchld)
        ::sigaction(SIGCHLD, &before, nullptr);
    const auto took = std::chrono::steady_clock::now() - started;
    if (row.caller == Caller::has_quit) {  // the application's loop, run once, takes the quit back
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }

    EXPECT_EQ(ending(outcome), row.end);
    EXPECT_EQ(outcome.standard_output.size(), row.output_size);
    if (row.time_class == TimeClass::ends_with_the_script)
        EXPECT_LT(took, 4s);
    else
        EXPECT_GE(took, 300ms);
    EXPECT_FALSE(waiter.waiting());
    EXPECT_EQ(openDescriptors(), descriptors_before);
}

INSTANTIATE_TEST_SUITE_P(Bridge, ScriptWaiting, ::testing::ValuesIn(wait_rows),
                         [](const auto& info) { return std::string(info.param.name); });

// Answered in the event loop, or at once when asked between two waits; a
// signal ignored when the watch began stays ignored; the handlers it replaced
// come back when it goes.
TEST(SignalWatch, AnswersTakenSignalsAndLeavesAnIgnoredOneIgnored)
{
    std::signal(SIGUSR2, SIG_IGN);
    std::vector<int> answered;
    {
        platform::SignalWatch watch({SIGUSR1, SIGUSR2}, [&](int signal) { answered.push_back(signal); });
        std::raise(SIGUSR2);
        std::raise(SIGUSR1);
        QEventLoop loop;
        QTimer::singleShot(100ms, &loop, &QEventLoop::quit);
        loop.exec();
        EXPECT_EQ(answered, std::vector<int>{SIGUSR1});
        std::raise(SIGUSR1);
        watch.takeArrived();
        EXPECT_EQ(answered, (std::vector<int>{SIGUSR1, SIGUSR1}));
    }
    EXPECT_EQ(std::signal(SIGUSR1, SIG_DFL), SIG_DFL);
    EXPECT_EQ(std::signal(SIGUSR2, SIG_DFL), SIG_IGN);
}

}  // namespace
}  // namespace velmora
