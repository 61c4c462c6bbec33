#pragma once
// Waiting for a child in poll, for callers without an event loop: its output,
// its exit and, if the caller wishes, one descriptor of the caller's own that
// says "maybe end the program now" (a signal's self-pipe). Nothing else wakes
// it: no timeout, unless a program asked to end must be killed once its grace
// is over. Should poll itself fail, the program can be watched no longer: it
// is killed and reaped, and its outcome says so.
#include <functional>

#include "platform/process.h"

namespace velmora::process {

class PollWaiter : public Waiter {
public:
    // `wake` becomes readable when the caller may want the program ended;
    // `end_wanted` is asked then, and empties it.
    PollWaiter() = default;
    PollWaiter(int wake, std::function<bool()> end_wanted);

    void wait(Child& child) override;

private:
    const int wake_ = -1;
    const std::function<bool()> end_wanted_;
};

}  // namespace velmora::process
