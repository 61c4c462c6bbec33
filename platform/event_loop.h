#pragma once
// The event loop of the runtime: running it, quitting it (also before it has
// started, and at the system's request by signal), and yielding to it from
// long loops.

namespace velmora::platform {

// Who asks the program to end: the user (the quit item, the quit keys, a
// close box), or the system (a termination signal, logging out).
enum class QuitAsker { user, system };

// Ends the application with `code`. Qt ignores an exit requested before its
// loop runs, so such a request is remembered and RunEventLoop returns at once.
// During a run the user may stop, the run's gate takes the request (RunGate).
void Quit(int code, QuitAsker asker = QuitAsker::user);

// SIGTERM (at log-out, from `kill`) becomes Quit(0) in the event loop, so that
// a send in progress stops cleanly first. Call once the application object exists.
void QuitOnTerminationSignal();

// True once Quit has been called and not yet honoured by RunEventLoop.
bool QuitRequested();

// Runs the event loop until Quit; returns the exit code. Never enters the
// loop when a quit was requested before it.
int RunEventLoop();

// Called once per pass of a long loop: lets the window repaint and the system
// know the program is alive. Most calls only count: every few hundred passes
// it looks at the clock, and it hands over to the event loop when some
// milliseconds have passed since it last did.
void RuntimeBackgroundTask();

// The same after a pass that is slow by itself (a large piece of a file read):
// it looks at the clock at once, so the window keeps repainting however few
// such passes there are. A script run needs neither: it is waited for in the
// event loop itself (process::run).
void RuntimeBackgroundTaskAfterSlowPass();

// While one of these exists, the program's windows keep painting but take no
// user input: clicks and keys that arrive during a long run are dropped, not
// delivered later.
class InputBlocker {
public:
    InputBlocker();
    ~InputBlocker();
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;
};

}  // namespace velmora::platform
