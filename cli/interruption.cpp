#include "cli/interruption.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace velmora::cli {

namespace {

volatile std::sig_atomic_t signals_received = 0;
volatile std::sig_atomic_t first_signal = 0;
volatile std::sig_atomic_t second_signal = 0;

constexpr int watched_signals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
struct sigaction previous_actions[std::size(watched_signals)];

// Written by the handler, watched by the wait for a script.
int wake_pipe[2] = {-1, -1};

extern "C" void countSignal(int signal)
{
    const int saved = errno;
    if (signals_received == 0)
        first_signal = signal;
    else if (signals_received == 1)
        second_signal = signal;
    signals_received = signals_received + 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(wake_pipe[1], &byte, 1);
    errno = saved;
}

// Made once and kept: a handler may still run while the watch goes.
int wakeDescriptor()
{
    if (wake_pipe[0] >= 0 || ::pipe(wake_pipe) != 0)
        return wake_pipe[0];
    for (int end : wake_pipe) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    }
    return wake_pipe[0];
}

// Whoever started the program ignored it (nohup ignores SIGHUP, a shell's
// `trap '' INT` SIGINT): it stays ignored, and the send goes on.
bool wasIgnored(const struct sigaction& action)
{
    return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_IGN;
}

bool secondSignalCame()
{
    char bytes[16];
    while (::read(wake_pipe[0], bytes, sizeof bytes) > 0) {
    }
    return signals_received > 1;
}

std::string signalName(int signal)
{
    switch (signal) {
    case SIGINT: return "Strg+C";
    case SIGHUP: return "Terminal geschlossen";
    case SIGTERM: return "Beenden angefordert, SIGTERM";
    default: return "SIGQUIT";
    }
}

}  // namespace

InterruptionWatch::InterruptionWatch() : waiter_(wakeDescriptor(), secondSignalCame)
{
    signals_received = 0;
    first_signal = 0;
    second_signal = 0;
    secondSignalCame();  // what an earlier watch left in the pipe
    struct sigaction action{};
    action.sa_handler = countSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(watched_signals); ++i) {
        sigaction(watched_signals[i], nullptr, &previous_actions[i]);
        if (!wasIgnored(previous_actions[i]))
            sigaction(watched_signals[i], &action, nullptr);
    }
}

InterruptionWatch::~InterruptionWatch()
{
    for (std::size_t i = 0; i < std::size(watched_signals); ++i)
        sigaction(watched_signals[i], &previous_actions[i], nullptr);
}

bool InterruptionWatch::stopAsked() const
{
    return signals_received > 0;
}

std::string InterruptionWatch::stopReason() const
{
    return "Abgebrochen (" + signalName(first_signal) + ").";
}

std::string InterruptionWatch::scriptEndReason() const
{
    const std::string signals = first_signal == SIGINT && second_signal == SIGINT
                                    ? std::string("zweimal Strg+C")
                                    : signalName(first_signal) + ", dann " + signalName(second_signal);
    return "Abgebrochen (" + signals + "): Das Buchungsskript wurde mitten in einer Buchung beendet.";
}

int InterruptionWatch::stopStatus() const
{
    return 128 + first_signal;
}

}  // namespace velmora::cli
