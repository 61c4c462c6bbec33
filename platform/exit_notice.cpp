#include "platform/exit_notice.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#if defined(__APPLE__)
#include <sys/event.h>
#endif

namespace velmora::process {

namespace {

ExitNoticeKind chosen_kind = ExitNoticeKind::process_descriptor;

int child_signal_pipe[2] = {-1, -1};

extern "C" void noteChildSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(child_signal_pipe[1], &byte, 1);
    errno = saved;
}

// Both ends never block: a full pipe already says "a child has changed state".
bool openChildSignalPipe()
{
    if (child_signal_pipe[0] >= 0)
        return true;
    int ends[2];
    if (::pipe(ends) != 0)
        return false;
    for (int end : ends) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    }
    child_signal_pipe[0] = ends[0];
    child_signal_pipe[1] = ends[1];
    struct sigaction action = {};
    action.sa_handler = noteChildSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_NOCLDSTOP;
    ::sigaction(SIGCHLD, &action, nullptr);
    return true;
}

#if defined(__APPLE__)
int processDescriptor(pid_t child)
{
    const int queue = ::kqueue();
    if (queue < 0)
        return -1;
    ::fcntl(queue, F_SETFD, FD_CLOEXEC);
    struct kevent change;
    EV_SET(&change, child, EVFILT_PROC, EV_ADD | EV_ONESHOT, NOTE_EXIT, 0, nullptr);
    if (::kevent(queue, &change, 1, nullptr, 0, nullptr) != 0) {
        ::close(queue);
        return -1;
    }
    return queue;
}

void consumeProcessNotice(int queue)
{
    struct kevent event;
    const struct timespec no_wait = {0, 0};
    ::kevent(queue, nullptr, 0, &event, 1, &no_wait);
}
#else
int processDescriptor(pid_t child)
{
#if defined(SYS_pidfd_open)
    // Close-on-exec by itself; readable once the process has exited.
    return static_cast<int>(::syscall(SYS_pidfd_open, child, 0));
#else
    static_cast<void>(child);
    return -1;
#endif
}

void consumeProcessNotice(int) {}
#endif

// Whether this system gives process descriptors at all (a kernel before 5.3
// gives no pidfd): asked once, of the program itself.
bool processDescriptorsWork()
{
    static const bool work = [] {
        const int probe = processDescriptor(::getpid());
        if (probe >= 0)
            ::close(probe);
        return probe >= 0;
    }();
    return work;
}

}  // namespace

ExitNoticeKind UseExitNotice(ExitNoticeKind kind)
{
    const ExitNoticeKind previous = chosen_kind;
    chosen_kind = kind;
    return previous;
}

bool ExitNotice::Prepare()
{
    if (chosen_kind == ExitNoticeKind::process_descriptor && processDescriptorsWork())
        return true;
    return openChildSignalPipe();
}

ExitNotice::ExitNotice(pid_t child)
{
    if (chosen_kind == ExitNoticeKind::process_descriptor) {
        descriptor_ = processDescriptor(child);
        owned_ = descriptor_ >= 0;
    }
    if (owned_)
        return;
    // Made only now (no descriptor was left for this child), the pipe may
    // have missed the child's exit: a first notice makes the waiter look.
    if (child_signal_pipe[0] < 0 && openChildSignalPipe())
        noteChildSignal(SIGCHLD);
    descriptor_ = child_signal_pipe[0];
}

ExitNotice::~ExitNotice()
{
    if (owned_)
        ::close(descriptor_);
}

void ExitNotice::consume()
{
    if (owned_) {
        consumeProcessNotice(descriptor_);
        return;
    }
    char bytes[64];
    while (::read(descriptor_, bytes, sizeof bytes) > 0) {
    }
}

}  // namespace velmora::process
