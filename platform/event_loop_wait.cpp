#include "platform/event_loop_wait.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <memory>

namespace velmora::platform {

namespace {

using Stream = process::Child::Stream;

// Watches one output stream until it ends; a stream that has ended is closed,
// so its notifier must go before the descriptor number is used again.
std::unique_ptr<QSocketNotifier> watchStream(process::Child& child, Stream stream)
{
    const int descriptor = child.descriptor(stream);
    if (descriptor < 0)
        return nullptr;
    auto notifier = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(), [&child, stream, n = notifier.get()] {
        child.readAvailable(stream);
        if (child.descriptor(stream) < 0)
            n->setEnabled(false);
    });
    return notifier;
}

}  // namespace

EventLoopWaiter::EventLoopWaiter()
{
    kill_after_grace_.setSingleShot(true);
    kill_after_grace_.setInterval(process::grace_before_kill);
    connect(&kill_after_grace_, &QTimer::timeout, this, [this] {
        if (child_)
            child_->killGroup();
    });
}

void EventLoopWaiter::wait(process::Child& child)
{
    QEventLoop loop;
    child_ = &child;
    {
        const std::unique_ptr<QSocketNotifier> output = watchStream(child, Stream::output);
        const std::unique_ptr<QSocketNotifier> error = watchStream(child, Stream::error);
        QSocketNotifier exit_notice(child.exitDescriptor(), QSocketNotifier::Read);
        connect(&exit_notice, &QSocketNotifier::activated, &loop, [&] {
            if (child.takeExitNotice())
                loop.quit();
        });
        // The child may have exited before the notifiers were there; the
        // notice is then waiting already and comes in the first pass. A quit
        // of the whole application also ends nested loops: the child is
        // still waited for.
        while (!child.exited())
            loop.exec();
    }
    kill_after_grace_.stop();
    child_ = nullptr;
}

void EventLoopWaiter::endProgram()
{
    if (!child_ || kill_after_grace_.isActive())
        return;
    child_->endGroup();
    kill_after_grace_.start();
}

}  // namespace velmora::platform
