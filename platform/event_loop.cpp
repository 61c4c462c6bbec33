#include "platform/event_loop.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <chrono>
#include <optional>

#include "platform/run_gate.h"
#include "platform/signal_watch.h"
#include "platform/user_input.h"

namespace velmora::platform {

namespace {

std::optional<int> quit_before_loop;
bool loop_running = false;

// Long enough that a million lines cost almost nothing, short enough that the
// window repaints smoothly.
constexpr auto yield_interval = std::chrono::milliseconds(20);
// A pass of the fastest loop (one line of a file) takes well under a
// microsecond; looking at the clock once every so many passes costs nothing
// and still finds the interval over within a fraction of it.
constexpr int passes_per_clock_look = 256;
int passes_until_clock_look = passes_per_clock_look;

class UserInputFilter : public QObject {
public:
    // Only what comes from the window system is the user's; a dialog that the
    // program itself closes sends a Close event too, and that must pass.
    bool eventFilter(QObject*, QEvent* event) override
    {
        return event->spontaneous() && IsUserInput(event->type()) && DropUserInput(event);
    }
};

int blockers = 0;
UserInputFilter* input_filter = nullptr;

}  // namespace

void Quit(int code, QuitAsker asker)
{
    // During a run the user may stop, ending the program waits for the run to stop.
    if (RunGate* gate = RunGate::current()) {
        asker == QuitAsker::user ? gate->userWantsToQuit() : gate->requestQuit();
        return;
    }
    if (loop_running)
        QCoreApplication::exit(code);
    else
        quit_before_loop = code;
}

void QuitOnTerminationSignal()
{
    static const SignalWatch for_the_whole_run({SIGTERM}, [](int) { Quit(0, QuitAsker::system); });
}

bool QuitRequested()
{
    return quit_before_loop.has_value();
}

int RunEventLoop()
{
    if (quit_before_loop) {
        const int code = *quit_before_loop;
        quit_before_loop.reset();
        return code;
    }
    loop_running = true;
    const int code = QApplication::exec();
    loop_running = false;
    return code;
}

void RuntimeBackgroundTask()
{
    if (--passes_until_clock_look > 0)
        return;
    RuntimeBackgroundTaskAfterSlowPass();
}

void RuntimeBackgroundTaskAfterSlowPass()
{
    using clock = std::chrono::steady_clock;
    static clock::time_point last_hand_over = clock::now();
    passes_until_clock_look = passes_per_clock_look;
    const auto now = clock::now();
    if (now - last_hand_over < yield_interval)
        return;
    last_hand_over = now;
    QCoreApplication::processEvents();
}

InputBlocker::InputBlocker()
{
    if (blockers++ == 0 && QCoreApplication::instance()) {
        input_filter = new UserInputFilter;
        QCoreApplication::instance()->installEventFilter(input_filter);
    }
}

InputBlocker::~InputBlocker()
{
    if (--blockers == 0 && input_filter) {
        delete input_filter;  // removes itself from the application's filters
        input_filter = nullptr;
    }
}

}  // namespace velmora::platform
