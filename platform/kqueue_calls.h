#pragma once
// The kqueue calls of the kqueue way of noticing a child's exit: the system's
// own on the Mac, elsewhere a stand-in for the few that way uses, so that the
// same code is built and tested on every platform.
#if defined(__APPLE__)
#include <sys/event.h>

namespace velmora::process::kqueue_calls {
using ::kevent;
using ::kqueue;
}  // namespace velmora::process::kqueue_calls
#else
#include "platform/kqueue_stand_in.h"

namespace velmora::process {
namespace kqueue_calls = kqueue_stand_in;
}  // namespace velmora::process
#endif
