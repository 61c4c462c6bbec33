#include "platform/poll_wait.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <poll.h>

namespace velmora::process {

namespace {

using Clock = std::chrono::steady_clock;

enum Watched { output, error, exit_notice, wake, watched_count };

// Until the program is asked to end, poll waits without end; then until its
// grace is over.
int timeoutFor(const std::optional<Clock::time_point>& kill_at)
{
    if (!kill_at)
        return -1;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*kill_at - Clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

}  // namespace

PollWaiter::PollWaiter(int wake, std::function<bool()> end_wanted) : wake_(wake), end_wanted_(std::move(end_wanted)) {}

void PollWaiter::wait(Child& child)
{
    std::optional<Clock::time_point> kill_at;
    bool killed = false;
    while (!child.exited()) {
        pollfd watched[watched_count] = {
            {child.descriptor(Child::Stream::output), POLLIN, 0},
            {child.descriptor(Child::Stream::error), POLLIN, 0},
            {child.exitDescriptor(), POLLIN, 0},
            {kill_at ? -1 : wake_, POLLIN, 0},  // poll passes over negative descriptors
        };
        const int ready = poll(watched, watched_count, killed ? -1 : timeoutFor(kill_at));
        if (ready < 0 && errno != EINTR) {
            child.killAndReap();
            return;
        }
        if (ready == 0 && kill_at) {
            child.killGroup();
            killed = true;
        }
        if (ready <= 0)
            continue;
        if (watched[output].revents != 0)
            child.readAvailable(Child::Stream::output);
        if (watched[error].revents != 0)
            child.readAvailable(Child::Stream::error);
        if (watched[wake].revents != 0 && end_wanted_ && end_wanted_()) {
            child.endGroup();
            kill_at = Clock::now() + grace_before_kill;
        }
        if (watched[exit_notice].revents != 0)
            child.takeExitNotice();
    }
}

}  // namespace velmora::process
