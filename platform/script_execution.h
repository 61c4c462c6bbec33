#pragma once
// Running one of the bundle's script files with a list of texts.
#include <filesystem>
#include <string>
#include <vector>

#include "platform/process.h"

namespace velmora {

// Every element is one text, handed to the script as one argument, in order.
using ScriptArguments = std::vector<std::string>;

// The two ways a script file is run.
enum class ScriptWay {
    direct,     // the file itself is executed, the texts are its arguments
    osascript,  // osascript <script> <text>...: a compiled script's run handler gets the texts
};

struct ScriptRunner {
    ScriptWay way = ScriptWay::direct;
    std::filesystem::path osascript = "/usr/bin/osascript";
};

// The way of this platform: through osascript on macOS, where the banking
// program's scripts are compiled scripts; the file itself everywhere else.
ScriptRunner PlatformScriptRunner();

// Every later script call runs the scripts this way; returns the way used so
// far. Tests pick either way here, and the osascript program to use.
ScriptRunner UseScriptRunner(ScriptRunner runner);

// Runs the script file with the arguments and returns its standard output,
// less the one line end that ends it (UTF-8; invalid bytes replaced, never a
// crash). In the osascript way a file that may be executed and starts with an
// interpreter line ("#!") is still executed itself, so that shell scripts work
// in its place. A script that is missing or cannot be executed raises
// ScriptError naming the script; one that started and then exits non-zero or
// dies from a signal raises ScriptInDoubt, carrying its error output: it may
// have done its work. The call returns when the script has ended; meanwhile
// `waiter` waits for it (see process::run). A script that the waiter's owner
// had ended raises ScriptEnded.
std::string ExecuteAppleScript(const std::filesystem::path& script, const ScriptArguments& arguments,
                               process::Waiter* waiter = nullptr);

}  // namespace velmora
