#pragma once
// The signals that ask velmora-import to end while it sends: Ctrl+C (SIGINT),
// the terminal closing (SIGHUP), Ctrl+\ (SIGQUIT) and a request to end
// (SIGTERM, as from `kill`). A booking that has started is let finish and
// recorded, so the first signal only asks the send to stop before the next
// one; a second one ends the running booking script and its process group.
// A signal that was ignored when the program started (nohup, `trap '' INT`)
// stays ignored.
#include <string>

#include "platform/poll_wait.h"

namespace velmora::cli {

// Counts the signals while it exists; the handlers it replaced come back when
// it goes. Each signal also wakes the wait for a running script, so that a
// second one is acted on at once, whatever the script left holding its output.
class InterruptionWatch {
public:
    InterruptionWatch();
    ~InterruptionWatch();
    InterruptionWatch(const InterruptionWatch&) = delete;
    InterruptionWatch& operator=(const InterruptionWatch&) = delete;

    bool stopAsked() const;
    // Waits for a booking script, and ends it once a second signal has come.
    process::Waiter* scriptWaiter() { return &waiter_; }

    // "Abgebrochen (Terminal geschlossen)." for the first signal that came.
    std::string stopReason() const;
    // Why the running booking script was ended, naming both signals.
    std::string scriptEndReason() const;
    // The exit status of a stop, as shells give it: 128 plus the signal's
    // number (130 for Ctrl+C, 129 the terminal closed, 131 SIGQUIT, 143 SIGTERM).
    int stopStatus() const;

private:
    process::PollWaiter waiter_;
};

}  // namespace velmora::cli
