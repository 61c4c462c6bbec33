#include "platform/termination_signal.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/event_loop.h"

namespace velmora::platform {

namespace {

// A signal handler may do almost nothing: it writes one byte into a socket
// whose other end the event loop watches.
int signal_sockets[2] = {-1, -1};

void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(signal_sockets[0], &byte, 1);
}

void takeSignal()
{
    char byte = 0;
    [[maybe_unused]] const ssize_t ignored = ::read(signal_sockets[1], &byte, 1);
    Quit(0, QuitAsker::system);
}

// Whoever started the program ignored it (as nohup does for the terminal's
// SIGHUP): it stays ignored.
bool ignoredAtStart(int signal)
{
    struct sigaction action = {};
    return ::sigaction(signal, nullptr, &action) == 0 && (action.sa_flags & SA_SIGINFO) == 0
           && action.sa_handler == SIG_IGN;
}

}  // namespace

void QuitOnTerminationSignal()
{
    if (ignoredAtStart(SIGTERM) || signal_sockets[0] >= 0
        || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signal_sockets) != 0)
        return;
    for (int end : signal_sockets)
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
    auto* notifier = new QSocketNotifier(signal_sockets[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] { takeSignal(); });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
}

}  // namespace velmora::platform
