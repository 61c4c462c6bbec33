#pragma once
// Stands in for the Mac's kqueue so that the kqueue way of noticing a child's
// exit is built and tested here as well: the few names that way uses, with
// the same shape as in <sys/event.h>, backed by a Linux process descriptor.
//
// It does only what that way needs: a queue watches the exit of at most one
// process (EVFILT_PROC, EV_ADD, NOTE_EXIT; EV_ONESHOT honoured), and is
// readable in poll once that process has exited. It knows no other filter,
// no EV_DELETE or EV_ENABLE, no exit status in `data`, and the event it
// reports carries no `ident`.
#include <cstdint>
#include <ctime>

namespace velmora::process::kqueue_stand_in {

struct kevent {
    std::uintptr_t ident;
    std::int16_t filter;
    std::uint16_t flags;
    std::uint32_t fflags;
    std::intptr_t data;
    void* udata;
};

inline constexpr std::int16_t EVFILT_PROC = -5;
inline constexpr std::uint16_t EV_ADD = 0x0001;
inline constexpr std::uint16_t EV_ONESHOT = 0x0010;
inline constexpr std::uint32_t NOTE_EXIT = 0x80000000;

inline void EV_SET(struct kevent* event, std::uintptr_t ident, std::int16_t filter, std::uint16_t flags,
                   std::uint32_t fflags, std::intptr_t data, void* udata)
{
    *event = {ident, filter, flags, fflags, data, udata};
}

// A new, empty queue: a descriptor that never becomes readable until a
// process is watched through it.
int kqueue();

// Applies `changes` (a process to watch: the queue then becomes that
// process's descriptor, under the same number), then reports at most one
// exit into `events`, waiting up to `timeout` (none: without end). Returns
// the events reported, or -1 with errno set.
int kevent(int queue, const struct kevent* changes, int change_count, struct kevent* events, int event_count,
           const struct timespec* timeout);

}  // namespace velmora::process::kqueue_stand_in
