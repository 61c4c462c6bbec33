#include "platform/process_queue.h"

#include <cstdint>
#include <fcntl.h>
#include <unistd.h>

#include "platform/kqueue_calls.h"

namespace velmora::process {

using namespace kqueue_calls;

int watchInQueue(pid_t child)
{
    const int queue = kqueue();
    if (queue < 0)
        return -1;
    ::fcntl(queue, F_SETFD, FD_CLOEXEC);
    struct kevent change;
    EV_SET(&change, static_cast<std::uintptr_t>(child), EVFILT_PROC, EV_ADD | EV_ONESHOT, NOTE_EXIT, 0, nullptr);
    if (kevent(queue, &change, 1, nullptr, 0, nullptr) != 0) {
        ::close(queue);
        return -1;
    }
    return queue;
}

void takeFromQueue(int queue)
{
    struct kevent event;
    const struct timespec no_wait = {0, 0};
    kevent(queue, nullptr, 0, &event, 1, &no_wait);
}

}  // namespace velmora::process
