#pragma once
// The signals that ask velmora-import to end while it sends: Ctrl+C (SIGINT),
// the terminal closing (SIGHUP), Ctrl+\ (SIGQUIT) and a request to end
// (SIGTERM, as from `kill`). A booking that has started is let finish and
// recorded, so the first signal only asks the send to stop before the next
// one; a second one ends the running booking script and its process group.
// A signal that was ignored when the program started (nohup, `trap '' INT`)
// stays ignored.
#include <string>

#include "platform/process.h"
#include "platform/signal_watch.h"

namespace velmora::cli {

// Takes the signals while it exists; the handlers it replaced come back when
// it goes. They are answered while a booking script is waited for, so that a
// second one is acted on at once, whatever the script left holding its output.
class InterruptionWatch {
public:
    InterruptionWatch();

    bool stopAsked();
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
    void take(int signal);

    int first_signal_ = 0;
    int second_signal_ = 0;
    process::Waiter waiter_;
    platform::SignalWatch signals_;
};

}  // namespace velmora::cli
