#pragma once
// A descriptor that becomes readable when a child process exits, so that the
// end of a program is waited for like its output: in poll, or in an event loop.
// On Linux it is a process descriptor (pidfd), on macOS a kqueue watching the
// process; where the platform's way cannot be had, the read end of a pipe that
// a SIGCHLD handler writes to, shared by all children.
#include <sys/types.h>

namespace velmora::process {

enum class ExitNoticeKind {
    process_descriptor,  // a pidfd: readable once this child has exited
    process_queue,       // a kqueue watching this child (off the Mac a stand-in): the same
    child_signal,        // the SIGCHLD pipe: readable once any child has changed state
};

// The way this platform has: a pidfd on Linux, a kqueue on macOS.
ExitNoticeKind PlatformExitNotice();

// Every later child is watched this way where it can be (a way the system
// does not offer falls back to child_signal); returns the way used so far.
// Tests pick any way here.
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
    // The way this child is watched: the one chosen, or child_signal where
    // that could not be had.
    ExitNoticeKind kind() const { return kind_; }
    // Empties what made the descriptor readable, so that it is readable again
    // only at the next notice. For the SIGCHLD pipe the notice may be another
    // child's: the caller looks whether its child has exited.
    void consume();

private:
    int descriptor_ = -1;
    ExitNoticeKind kind_ = ExitNoticeKind::child_signal;
};

}  // namespace velmora::process
