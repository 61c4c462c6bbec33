#include "platform/signal_watch.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace velmora::platform {

namespace {

// Made once and kept, watched by one notifier: a handler may still run while
// a watch goes. Both ends never block (a full pipe loses a number, never the
// program) and are not inherited by the scripts the program starts.
int signal_pipe[2] = {-1, -1};

// Who answers each signal's number: the watch that took it.
std::array<const std::function<void(int)>*, NSIG> answer_of{};

// Answers every number in the pipe; one whose watch has gone is dropped.
void answerArrived()
{
    unsigned char numbers[64];
    for (ssize_t got; (got = ::read(signal_pipe[0], numbers, sizeof numbers)) > 0;) {
        for (ssize_t i = 0; i < got; ++i) {
            if (const auto* answer = answer_of[numbers[i] % NSIG])
                (*answer)(numbers[i]);
        }
    }
}

void openPipe()
{
    if (signal_pipe[0] >= 0 || ::pipe(signal_pipe) != 0)
        return;
    for (int end : signal_pipe) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    }
    auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] { answerArrived(); });
}

extern "C" void writeSignalNumber(int signal)
{
    const int saved = errno;
    const auto number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t ignored = ::write(signal_pipe[1], &number, 1);
    errno = saved;
}

}  // namespace

SignalWatch::SignalWatch(const std::vector<int>& taken_signals, std::function<void(int)> on_signal)
    : on_signal_(std::move(on_signal))
{
    openPipe();
    answerArrived();  // what came for an earlier watch
    struct sigaction action = {};
    action.sa_handler = writeSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : taken_signals) {
        Taken taken{signal, {}};
        if (::sigaction(signal, nullptr, &taken.previous) != 0
            || ((taken.previous.sa_flags & SA_SIGINFO) == 0 && taken.previous.sa_handler == SIG_IGN))
            continue;
        answer_of[signal] = &on_signal_;
        ::sigaction(signal, &action, nullptr);
        taken_.push_back(taken);
    }
}

SignalWatch::~SignalWatch()
{
    for (const Taken& taken : taken_) {
        ::sigaction(taken.signal, &taken.previous, nullptr);
        answer_of[taken.signal] = nullptr;
    }
}

void SignalWatch::takeArrived()
{
    answerArrived();
}

}  // namespace velmora::platform
