#pragma once
// Runs the program's event loop in a test, but never for longer than a bound:
// a loop still running then is ended with status 99. The bound dies with the
// call, so it can never end a loop of a later test.
#include <QCoreApplication>
#include <QTimer>

#include "platform/event_loop.h"

namespace velmora::testing {

inline constexpr int loop_overrun_status = 99;

inline int RunEventLoopAtMost(int milliseconds)
{
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, [] { QCoreApplication::exit(loop_overrun_status); });
    bound.start(milliseconds);
    return platform::RunEventLoop();
}

}  // namespace velmora::testing
