// Waiting for a script: its end ends the wait, whatever it left running that
// still holds its output; a script the caller gives up on is ended with
// everything it started, politely or, if it will not go, by force. Each kind
// of script is tried with every way of noticing a script's end, and no wait
// leaves a descriptor behind. Each way is the one asked for (none falls back
// to the SIGCHLD pipe unseen), says nothing before the child's end, and
// keeps the exit status even when the program was started ignoring SIGCHLD. A
// script that poll cannot watch is killed and reaped, not left running.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "bridge/banking_scripts.h"
#include "platform/errors.h"
#include "platform/poll_wait.h"
#include "tests/support/temporary_bundle.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using process::ExitNoticeKind;

enum class TimeClass {
    ends_with_the_script,  // well before the background sleep of 5 s it leaves behind
    waits_for_the_end,     // at least until the caller ends it
};

struct WaitRow {
    const char* name;
    const char* script_body;
    bool ended_by_caller;  // the caller asks for the end 300 ms after the start
    std::size_t output_size;
    bool exited_normally;
    int exit_status_or_signal;
    TimeClass time_class;
};

void PrintTo(const WaitRow& row, std::ostream* out) { *out << row.name; }

const ExitNoticeKind exit_notice_kinds[] = {ExitNoticeKind::process_descriptor, ExitNoticeKind::process_queue,
                                            ExitNoticeKind::child_signal};

std::string nameOf(ExitNoticeKind kind)
{
    switch (kind) {
    case ExitNoticeKind::process_descriptor:
        return "ProcessDescriptor";
    case ExitNoticeKind::process_queue:
        return "ProcessQueue";
    case ExitNoticeKind::child_signal:
        break;
    }
    return "ChildSignal";
}

const WaitRow wait_rows[] = {
    {"WritesAndExits", "echo ok\n", false, 3, true, 0, TimeClass::ends_with_the_script},
    {"LeavesABackgroundSleepHoldingItsOutput", "sleep 5 &\necho ok\n", false, 3, true, 0,
     TimeClass::ends_with_the_script},
    {"ClosesItsOutputAndRunsOn", "exec >/dev/null 2>&1\nsleep 0.3\nexit 3\n", false, 0, true, 3,
     TimeClass::waits_for_the_end},
    // Both streams more than a pipe holds: reading one only to its end first would deadlock.
    {"WritesMoreThanAPipeHolds",
     "head -c 1048576 /dev/zero | tr '\\0' e >&2\nhead -c 1048576 /dev/zero | tr '\\0' o\n", false, 1048576, true,
     0, TimeClass::ends_with_the_script},
    {"HangsThenIsEndedWithWhatItStarted", "sleep 300 &\nwait\n", true, 0, false, SIGTERM,
     TimeClass::waits_for_the_end},
    {"HangsIgnoringTheRequestThenIsKilled", "trap '' TERM\nwhile :; do sleep 0.05; done\n", true, 0, false, SIGKILL,
     TimeClass::waits_for_the_end},
};

std::size_t openDescriptors()
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}));
}

// The caller's wish to end the script, as velmora-import's signal gives it:
// a byte in a pipe, written a while after the start.
class LaterWish {
public:
    LaterWish() { EXPECT_EQ(::pipe(ends_), 0); }
    ~LaterWish()
    {
        if (writer_.joinable())
            writer_.join();
        ::close(ends_[0]);
        ::close(ends_[1]);
    }
    void comeAfter(std::chrono::milliseconds delay)
    {
        writer_ = std::thread([this, delay] {
            std::this_thread::sleep_for(delay);
            [[maybe_unused]] const ssize_t ignored = ::write(ends_[1], "x", 1);
        });
    }
    int descriptor() const { return ends_[0]; }

private:
    int ends_[2] = {-1, -1};
    std::thread writer_;
};

class ScriptWaiting : public ::testing::TestWithParam<std::tuple<WaitRow, ExitNoticeKind>> {
protected:
    void SetUp() override { previous_kind_ = process::UseExitNotice(std::get<1>(GetParam())); }
    void TearDown() override { process::UseExitNotice(previous_kind_); }

private:
    ExitNoticeKind previous_kind_{};
};

TEST_P(ScriptWaiting, EndsWithTheScriptAndLeavesNoDescriptor)
{
    const WaitRow& row = std::get<0>(GetParam());
    const testing::TemporaryBundle bundle;
    bundle.writeScript("s", std::string("#!/bin/sh\n") + row.script_body);
    process::run("/bin/true", {});  // what is made once, for every later child, is there before counting
    const std::size_t descriptors_before = openDescriptors();
    const auto started = std::chrono::steady_clock::now();
    process::Outcome outcome;
    {
        LaterWish wish;
        if (row.ended_by_caller)
            wish.comeAfter(300ms);
        process::PollWaiter waiter(wish.descriptor(), [] { return true; });
        outcome = process::run(bundle.resources / "s", {}, &waiter);
    }
    const auto took = std::chrono::steady_clock::now() - started;

    EXPECT_EQ(outcome.standard_output.size(), row.output_size);
    EXPECT_EQ(outcome.exited_normally, row.exited_normally);
    EXPECT_EQ(row.exited_normally ? outcome.exit_status : outcome.signal, row.exit_status_or_signal);
    EXPECT_EQ(outcome.ended_on_request, row.ended_by_caller);
    if (row.time_class == TimeClass::ends_with_the_script)
        EXPECT_LT(took, 4s);
    else
        EXPECT_GE(took, 300ms);
    EXPECT_EQ(openDescriptors(), descriptors_before);
}

INSTANTIATE_TEST_SUITE_P(Bridge, ScriptWaiting,
                         ::testing::Combine(::testing::ValuesIn(wait_rows), ::testing::ValuesIn(exit_notice_kinds)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" + nameOf(std::get<1>(info.param));
                         });

bool readableWithin(int descriptor, std::chrono::milliseconds time)
{
    pollfd watched{descriptor, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&watched, 1, static_cast<int>(time.count()));  // SIGCHLD itself may break in
    } while (ready < 0 && errno == EINTR);
    return ready == 1;
}

class ExitNoticeWay : public ::testing::TestWithParam<ExitNoticeKind> {
protected:
    void SetUp() override { previous_kind_ = process::UseExitNotice(GetParam()); }
    void TearDown() override { process::UseExitNotice(previous_kind_); }

private:
    ExitNoticeKind previous_kind_{};
};

TEST_P(ExitNoticeWay, IsTheWayAskedForAndReadableOnlyOnceTheChildHasExited)
{
    ASSERT_TRUE(process::ExitNotice::Prepare());
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(gate[1]);
        char byte;
        [[maybe_unused]] const ssize_t ignored = ::read(gate[0], &byte, 1);
        ::_exit(0);
    }
    ::close(gate[0]);
    {
        process::ExitNotice notice(child);
        EXPECT_EQ(nameOf(notice.kind()), nameOf(GetParam()));
        notice.consume();  // what an earlier child left in the shared pipe
        EXPECT_FALSE(readableWithin(notice.descriptor(), 100ms));
        ::close(gate[1]);
        EXPECT_TRUE(readableWithin(notice.descriptor(), 5000ms));
    }
    EXPECT_EQ(::waitpid(child, nullptr, 0), child);
}

TEST_P(ExitNoticeWay, KeepsTheExitStatusWhenTheProgramWasStartedIgnoringSigchld)
{
    const testing::TemporaryBundle bundle;
    bundle.writeScript("s", "#!/bin/sh\nexit 3\n");
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction before = {};
    ::sigaction(SIGCHLD, &ignore, &before);
    const process::Outcome outcome = process::run(bundle.resources / "s", {});
    ::sigaction(SIGCHLD, &before, nullptr);
    EXPECT_TRUE(outcome.exited_normally);
    EXPECT_EQ(outcome.exit_status, 3);
}

INSTANTIATE_TEST_SUITE_P(Bridge, ExitNoticeWay, ::testing::ValuesIn(exit_notice_kinds),
                         [](const auto& info) { return nameOf(info.param); });

// poll refuses to watch more descriptors than the process may have open.
class WaiterWhosePollFails : public process::Waiter {
public:
    void wait(process::Child& child) override
    {
        rlimit allowed{};
        ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &allowed), 0);
        rlimit fewer_than_watched = allowed;
        fewer_than_watched.rlim_cur = 2;
        ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &fewer_than_watched), 0);
        process::PollWaiter().wait(child);
        EXPECT_EQ(::setrlimit(RLIMIT_NOFILE, &allowed), 0);
    }
};

TEST(ScriptWaiting, ScriptThatCannotBeWatchedIsKilledAndReaped)
{
    const testing::TemporaryBundle bundle;
    bundle.writeScript("s", "#!/bin/sh\nsleep 300\n");
    WaiterWhosePollFails waiter;
    const process::Outcome outcome = process::run(bundle.resources / "s", {}, &waiter);
    EXPECT_FALSE(outcome.exited_normally);
    EXPECT_EQ(outcome.signal, SIGKILL);
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);  // no child left, running or unreaped
    EXPECT_EQ(errno, ECHILD);
}

TEST(ScriptWaiting, ScriptEndedOnRequestIsReportedAsSuch)
{
    const testing::TemporaryBundle bundle;
    bundle.writeScript(kBuchungScript, "#!/bin/sh\nsleep 300\n");
    LaterWish wish;
    wish.comeAfter(0ms);
    process::PollWaiter waiter(wish.descriptor(), [] { return true; });
    EXPECT_THROW(buchungViaTessel({}, &waiter), ScriptEnded);
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
