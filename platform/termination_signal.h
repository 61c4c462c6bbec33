#pragma once
// The system's request to end the program by signal (SIGTERM, as at log-out
// or from `kill`), turned into the program's own quit: taken on the main
// thread through the event loop, so that a send in progress stops cleanly
// before the program ends, with exit status 0.
namespace velmora::platform {

// Call once, after the application object exists.
void QuitOnTerminationSignal();

}  // namespace velmora::platform
