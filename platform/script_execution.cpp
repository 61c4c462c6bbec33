#include "platform/script_execution.h"

#include <unistd.h>

#include <fstream>
#include <string_view>
#include <system_error>
#include <utility>

#include "platform/errors.h"
#include "platform/process.h"
#include "platform/utf8.h"

namespace velmora {

namespace {

// The script's result ends with one line end that is not part of it (osascript
// writes one after every result); anything before it belongs to the result.
std::string withoutFinalLineEnd(std::string output)
{
    if (!output.empty() && output.back() == '\n')
        output.pop_back();
    return output;
}

std::string scriptName(const std::filesystem::path& script)
{
    return "»" + script.filename().string() + "«";
}

std::string withErrorOutput(const std::string& message, const std::string& error_output)
{
    const std::string details = withoutFinalLineEnd(text::LenientUtf8(error_output));
    if (details.empty())
        return message + " (ohne Fehlerausgabe).";
    return message + ": " + details;
}

// What runs: the program started and its arguments.
struct Command {
    std::filesystem::path program;
    ScriptArguments arguments;
    bool through_osascript = false;
};

[[noreturn]] void raiseFailure(const std::filesystem::path& script, const Command& command,
                               const process::Outcome& outcome)
{
    const std::string name = "Das Skript " + scriptName(script);
    std::error_code ignored;
    if (!std::filesystem::exists(script, ignored))
        throw ScriptError(name + " wurde nicht gefunden: " + script.string());
    if (outcome.ended_on_request)
        throw ScriptEnded(name + " wurde auf Wunsch beendet.");
    if (!outcome.started && command.through_osascript)
        throw ScriptError(withErrorOutput(name + " ließ sich über »" + command.program.string() + "« nicht starten",
                                          outcome.error_output));
    if (!outcome.started)
        throw ScriptError(withErrorOutput(name + " ließ sich nicht starten", outcome.error_output));
    if (outcome.exited_normally)
        throw ScriptInDoubt(withErrorOutput(
            name + " ist mit Status " + std::to_string(outcome.exit_status) + " beendet worden", outcome.error_output));
    throw ScriptInDoubt(withErrorOutput(
        name + " ist durch Signal " + std::to_string(outcome.signal) + " abgebrochen worden", outcome.error_output));
}

// A text with a NUL byte would arrive cut short, one that is no UTF-8 with
// its broken bytes replaced; a booking must not reach the bank altered.
void checkArguments(const std::filesystem::path& script, const ScriptArguments& arguments)
{
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const bool has_nul = arguments[index].find('\0') != std::string::npos;
        if (has_nul || !text::IsValidUtf8(arguments[index]))
            throw ScriptError("Das Skript " + scriptName(script) + " wurde nicht gestartet: Text " + std::to_string(index)
                              + (has_nul ? " enthält ein Nullzeichen" : " ist kein gültiges UTF-8")
                              + " und lässt sich nicht unverändert übergeben.");
    }
}

// A file the system runs by itself: one we may execute that names its interpreter.
bool runsByItself(const std::filesystem::path& script)
{
    if (::access(script.c_str(), X_OK) != 0)
        return false;
    std::ifstream file(script, std::ios::binary);
    char start[2] = {};
    return file.read(start, sizeof start) && start[0] == '#' && start[1] == '!';
}

Command commandFor(const std::filesystem::path& script, const ScriptArguments& arguments, const ScriptRunner& runner)
{
    if (runner.way == ScriptWay::direct || runsByItself(script))
        return {script, arguments};
    Command command{runner.osascript, {script.string()}, true};
    command.arguments.insert(command.arguments.end(), arguments.begin(), arguments.end());
    return command;
}

ScriptRunner& currentRunner()
{
    static ScriptRunner runner = PlatformScriptRunner();
    return runner;
}

}  // namespace

ScriptRunner PlatformScriptRunner()
{
#if defined(__APPLE__)
    constexpr ScriptWay platform_way = ScriptWay::osascript;
#else
    constexpr ScriptWay platform_way = ScriptWay::direct;
#endif
    return {platform_way};
}

ScriptRunner UseScriptRunner(ScriptRunner runner)
{
    return std::exchange(currentRunner(), std::move(runner));
}

std::string ExecuteAppleScript(const std::filesystem::path& script, const ScriptArguments& arguments,
                               process::Waiter* waiter)
{
    checkArguments(script, arguments);
    const Command command = commandFor(script, arguments, currentRunner());
    const process::Outcome outcome = process::run(command.program, command.arguments, waiter);
    if (!outcome.started || !outcome.exited_normally || outcome.exit_status != 0)
        raiseFailure(script, command, outcome);
    return withoutFinalLineEnd(text::LenientUtf8(outcome.standard_output));
}

}  // namespace velmora
