#pragma once
// The boundary between the event loop and program code: an error that a
// handler raises stops here and is shown to the user; it never crosses Qt.
#include <QString>
#include <exception>
#include <string_view>

namespace velmora::platform {

// Shows a modal German message naming `what` and the error's reason.
void ReportError(std::string_view what, std::exception_ptr error);

// Runs `handler`; if it raises an error, reports it. Returns false when an
// error was reported. A template, so that the check around every event Qt
// delivers costs no allocation.
template <class Handler>
bool GuardedCall(std::string_view what, Handler&& handler)
{
    try {
        handler();
        return true;
    } catch (...) {
        ReportError(what, std::current_exception());
        return false;
    }
}

// The message shown for an error raised in `what`.
QString ErrorReportText(std::string_view what, std::string_view reason);

// Where an error that escaped start-up or the event loop ends up: reported on
// the error output (and to the user if a window can still be shown).
void UnhandledException(std::string_view reason);

}  // namespace velmora::platform
