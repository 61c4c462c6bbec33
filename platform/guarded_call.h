#pragma once
// The boundary between the event loop and program code: an error that a
// handler raises stops here and is shown to the user; it never crosses Qt.
#include <functional>
#include <string_view>

#include <QString>

namespace velmora::platform {

// Runs `handler`; if it raises an error, shows a modal German message naming
// `what` and the error's reason. Returns false when an error was reported.
bool GuardedCall(std::string_view what, const std::function<void()>& handler);

// The message shown for an error raised in `what`.
QString ErrorReportText(std::string_view what, std::string_view reason);

// Where an error that escaped start-up or the event loop ends up: reported on
// the error output (and to the user if a window can still be shown).
void UnhandledException(std::string_view reason);

}  // namespace velmora::platform
