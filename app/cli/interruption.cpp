#include "app/cli/interruption.h"

#include <csignal>

namespace velmora::cli {

namespace {

volatile std::sig_atomic_t signals_received = 0;

constexpr int watched_signals[] = {SIGINT, SIGTERM};
struct sigaction previous_actions[std::size(watched_signals)];

extern "C" void countSignal(int)
{
    signals_received = signals_received + 1;
}

}  // namespace

InterruptionWatch::InterruptionWatch()
{
    signals_received = 0;
    struct sigaction action{};
    action.sa_handler = countSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    for (std::size_t i = 0; i < std::size(watched_signals); ++i)
        sigaction(watched_signals[i], &action, &previous_actions[i]);
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

process::WaitingHook InterruptionWatch::whileWaiting() const
{
    return [] { return signals_received > 1 ? process::WhileWaiting::end_program : process::WhileWaiting::keep_waiting; };
}

}  // namespace velmora::cli
