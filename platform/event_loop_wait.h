#pragma once
// Waiting for a child in the event loop: a nested QEventLoop sleeps until the
// child's output, its exit or any event of the program's own arrives, and
// answers each at once, clicks, repaints and accessibility questions alike.
// The call still returns only when the child has exited.
#include <QObject>
#include <QTimer>

#include "platform/process.h"

namespace velmora::platform {

class EventLoopWaiter : public QObject, public process::Waiter {
public:
    EventLoopWaiter();

    void wait(process::Child& child) override;

    // Whether a child is being waited for right now.
    bool waiting() const { return child_ != nullptr; }
    // Ends the child being waited for, and whatever it started: asked to end
    // at once, killed if it is still there after its grace. Does nothing
    // while no child runs.
    void endProgram();

private:
    process::Child* child_ = nullptr;
    QTimer kill_after_grace_;
};

}  // namespace velmora::platform
