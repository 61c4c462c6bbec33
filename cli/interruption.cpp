#include "cli/interruption.h"

#include <csignal>

namespace velmora::cli {

namespace {

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

InterruptionWatch::InterruptionWatch()
    : signals_({SIGINT, SIGTERM, SIGHUP, SIGQUIT}, [this](int signal) { take(signal); })
{
}

void InterruptionWatch::take(int signal)
{
    if (first_signal_ == 0) {
        first_signal_ = signal;
        return;
    }
    if (second_signal_ == 0)
        second_signal_ = signal;
    waiter_.endProgram();
}

// A signal that came between two bookings stops the send before the next.
bool InterruptionWatch::stopAsked()
{
    signals_.takeArrived();
    return first_signal_ != 0;
}

std::string InterruptionWatch::stopReason() const
{
    return "Abgebrochen (" + signalName(first_signal_) + ").";
}

std::string InterruptionWatch::scriptEndReason() const
{
    const std::string which = first_signal_ == SIGINT && second_signal_ == SIGINT
                                    ? std::string("zweimal Strg+C")
                                    : signalName(first_signal_) + ", dann " + signalName(second_signal_);
    return "Abgebrochen (" + which + "): Das Buchungsskript wurde mitten in einer Buchung beendet.";
}

int InterruptionWatch::stopStatus() const
{
    return 128 + first_signal_;
}

}  // namespace velmora::cli
