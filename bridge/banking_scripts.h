#pragma once
// The two scripts that drive the banking application Zandor. Each call finds
// its script in the bundle anew and runs it with the texts, in order; the
// script's result comes back unchanged. Errors pass to the caller.
#include <string>
#include <string_view>
#include <vector>

#include "platform/script_execution.h"

namespace velmora {

inline constexpr std::string_view kKontennamenScript = "Kontennamen ermitteln.scpt";
inline constexpr std::string_view kBuchungScript = "buchungViaTessel.scpt";

// Zandor's account names joined by ", "; empty when Zandor is not running or
// has no account folder open. Called with no texts.
std::string Kontennamenermitteln(const ScriptArguments& arguments);

// The names in Kontennamenermitteln's result, in order: split at every ", ",
// untrimmed, empty names kept; a bare comma does not split.
std::vector<std::string> AccountNames(std::string_view names);

// Enters one booking; called with the nine texts of a booking. Its result is
// of no interest to the booking run. `waiter` waits while the script runs: in
// the window's event loop, or for a signal to end a script that does not finish.
std::string buchungViaTessel(const ScriptArguments& arguments, process::Waiter* waiter = nullptr);

}  // namespace velmora
