#include "platform/exit_notice.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/process_queue.h"

namespace velmora::process {

namespace {

#if defined(__APPLE__)
constexpr ExitNoticeKind platform_kind = ExitNoticeKind::process_queue;
#else
constexpr ExitNoticeKind platform_kind = ExitNoticeKind::process_descriptor;
#endif

ExitNoticeKind chosen_kind = platform_kind;

int child_signal_pipe[2] = {-1, -1};

extern "C" void noteChildSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(child_signal_pipe[1], &byte, 1);
    errno = saved;
}

void handleChildSignal(void (*handler)(int), int flags)
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = flags;
    ::sigaction(SIGCHLD, &action, nullptr);
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
    handleChildSignal(noteChildSignal, SA_RESTART | SA_NOCLDSTOP);
    return true;
}

// An ignored SIGCHLD (as whoever started the program may leave it) makes the
// system reap children by itself, and their exit status is lost to waitpid.
void keepChildrenForWaitpid()
{
    struct sigaction current = {};
    if (::sigaction(SIGCHLD, nullptr, &current) != 0)
        return;
    if (current.sa_handler != SIG_IGN && (current.sa_flags & SA_NOCLDWAIT) == 0)
        return;
    if (child_signal_pipe[0] >= 0)
        handleChildSignal(noteChildSignal, SA_RESTART | SA_NOCLDSTOP);
    else
        handleChildSignal(SIG_DFL, 0);
}

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

// A descriptor of this child's own, -1 where the way gives none.
int ownDescriptor(ExitNoticeKind kind, pid_t child)
{
    switch (kind) {
    case ExitNoticeKind::process_descriptor:
        return processDescriptor(child);
    case ExitNoticeKind::process_queue:
        return watchInQueue(child);
    case ExitNoticeKind::child_signal:
        break;
    }
    return -1;
}

bool gives(ExitNoticeKind kind)
{
    const int probe = ownDescriptor(kind, ::getpid());
    if (probe >= 0)
        ::close(probe);
    return probe >= 0;
}

// Whether this system gives such descriptors at all (a kernel before 5.3
// gives no pidfd): asked once per way, of the program itself.
bool ownDescriptorsWork(ExitNoticeKind kind)
{
    static const bool process_descriptors = gives(ExitNoticeKind::process_descriptor);
    static const bool process_queues = gives(ExitNoticeKind::process_queue);
    switch (kind) {
    case ExitNoticeKind::process_descriptor:
        return process_descriptors;
    case ExitNoticeKind::process_queue:
        return process_queues;
    case ExitNoticeKind::child_signal:
        break;
    }
    return false;
}

}  // namespace

ExitNoticeKind PlatformExitNotice()
{
    return platform_kind;
}

ExitNoticeKind UseExitNotice(ExitNoticeKind kind)
{
    const ExitNoticeKind previous = chosen_kind;
    chosen_kind = kind;
    return previous;
}

bool ExitNotice::Prepare()
{
    keepChildrenForWaitpid();
    if (ownDescriptorsWork(chosen_kind))
        return true;
    return openChildSignalPipe();
}

ExitNotice::ExitNotice(pid_t child)
{
    descriptor_ = ownDescriptor(chosen_kind, child);
    if (descriptor_ >= 0) {
        kind_ = chosen_kind;
        return;
    }
    // Made only now (no descriptor was left for this child), the pipe may
    // have missed the child's exit: a first notice makes the waiter look.
    if (child_signal_pipe[0] < 0 && openChildSignalPipe())
        noteChildSignal(SIGCHLD);
    descriptor_ = child_signal_pipe[0];
}

ExitNotice::~ExitNotice()
{
    if (kind_ != ExitNoticeKind::child_signal)
        ::close(descriptor_);
}

void ExitNotice::consume()
{
    if (kind_ == ExitNoticeKind::process_queue)
        takeFromQueue(descriptor_);
    if (kind_ != ExitNoticeKind::child_signal)
        return;
    char bytes[64];
    while (::read(descriptor_, bytes, sizeof bytes) > 0) {
    }
}

}  // namespace velmora::process
