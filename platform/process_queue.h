#pragma once
// The Mac's way of noticing a child's exit: a kqueue watching the process,
// itself a descriptor that becomes readable in poll once the process has exited.
#include <sys/types.h>

namespace velmora::process {

// A new queue watching `child`, close-on-exec; -1 if none could be had.
int watchInQueue(pid_t child);

// Takes the exit the queue has reported, so that it is not readable again.
void takeFromQueue(int queue);

}  // namespace velmora::process
