#include "platform/run_gate.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>

#include "platform/user_input.h"

namespace velmora::platform {

namespace {

RunGate* innermost_gate = nullptr;

}  // namespace

RunGate::RunGate(QList<QKeySequence> quit_keys, std::function<void()> on_quit_request,
                 std::function<void()> on_user_quit_wish)
    : quit_keys_(std::move(quit_keys)), on_quit_request_(std::move(on_quit_request)),
      on_user_quit_wish_(std::move(on_user_quit_wish)), outer_(innermost_gate)
{
    innermost_gate = this;
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

RunGate::~RunGate()
{
    innermost_gate = outer_;
}

RunGate* RunGate::current()
{
    return innermost_gate;
}

void RunGate::requestQuit()
{
    quit_requested_ = true;
    if (on_quit_request_)
        on_quit_request_();
}

void RunGate::userWantsToQuit()
{
    if (on_user_quit_wish_)
        on_user_quit_wish_();
    else
        requestQuit();
}

bool RunGate::eventFilter(QObject* receiver, QEvent* event)
{
    // The system's request to end the program (on macOS, at log-out). Refused
    // for now, or the system would end the program at once; the program ends
    // itself once the run has stopped.
    if (event->type() == QEvent::Quit) {
        event->ignore();
        requestQuit();
        return true;
    }
    if (!event->spontaneous() || !IsUserInput(event->type()))
        return false;
    if (isQuitKey(event)) {
        userWantsToQuit();
        return true;
    }
    if (isInAdmittedWindow(receiver))
        return false;
    if (event->type() == QEvent::Close)
        userWantsToQuit();
    return DropUserInput(event);
}

// Clicks and keys reach the window system's window first, then the widget.
bool RunGate::isInAdmittedWindow(QObject* receiver) const
{
    for (const QPointer<QWidget>& admitted : admitted_) {
        if (!admitted)
            continue;
        if (auto* widget = qobject_cast<QWidget*>(receiver); widget && widget->window() == admitted)
            return true;
        if (auto* window = qobject_cast<QWindow*>(receiver); window && window == admitted->windowHandle())
            return true;
    }
    return false;
}

bool RunGate::isQuitKey(const QEvent* event) const
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QKeySequence& quit_key : quit_keys_) {
        if (!quit_key.isEmpty() && pressed.matches(quit_key) == QKeySequence::ExactMatch)
            return true;
    }
    return false;
}

}  // namespace velmora::platform
