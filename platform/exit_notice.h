#pragma once
// A descriptor that becomes readable when a child process exits, so that the
// end of a program is waited for like its output: in poll, or in an event loop.
// On Linux it is a process descriptor (pidfd), on macOS a kqueue watching the
// process; where neither can be had, the read end of a pipe that a SIGCHLD
// handler writes to, shared by all children.
#include <sys/types.h>

namespace velmora::process {

enum class ExitNoticeKind {
    process_descriptor,  // pidfd or kqueue: readable once this child has exited
    child_signal,        // the SIGCHLD pipe: readable once any child has changed state
};

// Every later child is watched this way where it can be (process_descriptor
// falls back to child_signal when the system offers none); returns the way
// used so far. Tests pick either way here.
ExitNoticeKind UseExitNotice(ExitNoticeKind kind);

class ExitNotice {
public:
    // Call before the child is started: the SIGCHLD pipe must be in place
    // before a child can exit, or its notice would be lost. False when not
    // even the pipe could be made (no descriptors left).
    static bool Prepare();

    explicit ExitNotice(pid_t child);
    ~ExitNotice();
    ExitNotice(const ExitNotice&) = delete;
    ExitNotice& operator=(const ExitNotice&) = delete;

    int descriptor() const { return descriptor_; }
    // Empties what made the descriptor readable, so that it is readable again
    // only at the next notice. For the SIGCHLD pipe the notice may be another
    // child's: the caller looks whether its child has exited.
    void consume();

private:
    int descriptor_ = -1;
    bool owned_ = false;
};

}  // namespace velmora::process
