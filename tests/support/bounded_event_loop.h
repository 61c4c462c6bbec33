#pragma once
// Runs the program's event loop in a test, but never for longer than a bound:
// a loop still running then ends with status 99. The bound dies with the call.
#include <QCoreApplication>
#include <QTimer>

#include "platform/event_loop.h"

namespace velmora::testing {

inline int RunEventLoopAtMost(int milliseconds)
{
    QTimer bound;
    QObject::connect(&bound, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    bound.start(milliseconds);
    return platform::RunEventLoop();
}

}  // namespace velmora::testing
