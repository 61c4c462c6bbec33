#pragma once
// Signals answered in the event loop, on the main thread. A signal handler
// may do almost nothing: it writes the signal's number into a pipe that the
// event loop watches, and the program answers it there. One pipe serves every
// signal the program takes. A signal that is ignored when the watch begins
// (nohup ignores SIGHUP for the program it starts) stays ignored.
#include <csignal>
#include <functional>
#include <vector>

namespace velmora::platform {

class SignalWatch {
public:
    // From now on each of `taken_signals` that arrives calls `on_signal` with
    // its number. The handlers it replaces come back when it goes.
    SignalWatch(const std::vector<int>& taken_signals, std::function<void(int)> on_signal);
    ~SignalWatch();
    SignalWatch(const SignalWatch&) = delete;
    SignalWatch& operator=(const SignalWatch&) = delete;

    // Answers at once the signals that have arrived and not been answered
    // yet, for a caller that decides something between two waits.
    void takeArrived();

private:
    struct Taken { int signal; struct sigaction previous; };
    std::vector<Taken> taken_;
    const std::function<void(int)> on_signal_;
};

}  // namespace velmora::platform
