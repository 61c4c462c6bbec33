#pragma once
// Ctrl+C while velmora-import sends. A booking that has started is let finish
// and recorded, so the first Ctrl+C (SIGINT or SIGTERM) only asks the send to
// stop before the next one; a second one ends the running booking script too.
#include "platform/process.h"

namespace velmora::cli {

// Counts SIGINT and SIGTERM while it exists; the handlers it replaced come
// back when it goes. The signals interrupt a wait for a script (no
// SA_RESTART), so that a second one is acted on at once.
class InterruptionWatch {
public:
    InterruptionWatch();
    ~InterruptionWatch();
    InterruptionWatch(const InterruptionWatch&) = delete;
    InterruptionWatch& operator=(const InterruptionWatch&) = delete;

    bool stopAsked() const;
    // Ends a running booking script once a second signal has come.
    process::WaitingHook whileWaiting() const;
};

}  // namespace velmora::cli
