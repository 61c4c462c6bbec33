#include "platform/kqueue_stand_in.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace velmora::process::kqueue_stand_in {

namespace {

// An empty queue is an epoll descriptor holding nothing: pollable, and never
// readable. A queue watching a process is that process's descriptor.
int emptyQueue()
{
    return ::epoll_create1(EPOLL_CLOEXEC);
}

bool isEmpty(int queue)
{
    epoll_event ignored;
    return ::epoll_wait(queue, &ignored, 1, 0) == 0;
}

// The queue's number comes to mean `replacement`, close-on-exec as a kqueue
// is never inherited; the caller keeps the number it was given.
bool becomes(int queue, int replacement)
{
    if (replacement < 0)
        return false;
    const bool done = ::dup3(replacement, queue, O_CLOEXEC) == queue;
    const int saved = errno;
    ::close(replacement);
    errno = saved;
    return done;
}

bool watchExit(int queue, const struct kevent& change)
{
    if (change.filter != EVFILT_PROC || change.flags != (EV_ADD | EV_ONESHOT) || change.fflags != NOTE_EXIT) {
        errno = EINVAL;
        return false;
    }
    if (!isEmpty(queue)) {
        errno = EBUSY;
        return false;
    }
    const auto process = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(change.ident), 0));
    return becomes(queue, process);
}

int milliseconds(const struct timespec* timeout)
{
    if (timeout == nullptr)
        return -1;
    return static_cast<int>(timeout->tv_sec * 1000 + (timeout->tv_nsec + 999'999) / 1'000'000);
}

// Reported once, the exit is gone from the queue (EV_ONESHOT): the queue is
// empty again, as the Mac's is.
int reportExit(int queue, struct kevent* events, const struct timespec* timeout)
{
    pollfd watched{queue, POLLIN, 0};
    const int ready = ::poll(&watched, 1, milliseconds(timeout));
    if (ready <= 0)
        return ready;
    if (!becomes(queue, emptyQueue()))
        return -1;
    EV_SET(events, 0, EVFILT_PROC, EV_ONESHOT, NOTE_EXIT, 0, nullptr);
    return 1;
}

}  // namespace

int kqueue()
{
    return emptyQueue();
}

int kevent(int queue, const struct kevent* changes, int change_count, struct kevent* events, int event_count,
           const struct timespec* timeout)
{
    for (int index = 0; index < change_count; ++index) {
        if (!watchExit(queue, changes[index]))
            return -1;
    }
    return event_count > 0 ? reportExit(queue, events, timeout) : 0;
}

}  // namespace velmora::process::kqueue_stand_in
