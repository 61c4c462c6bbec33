#include "platform/termination_signal.h"

#include "platform/event_loop.h"
#include "platform/signal_watch.h"

namespace velmora::platform {

void QuitOnTerminationSignal()
{
    // Taken for the program's whole life.
    static const SignalWatch* const watch = new SignalWatch({SIGTERM}, [](int) { Quit(0); });
    static_cast<void>(watch);
}

}  // namespace velmora::platform
