#pragma once
// Running one of the bundle's script files with a list of texts.
#include <filesystem>
#include <string>
#include <vector>

namespace velmora {

// Every element is one text, handed to the script as one argument, in order.
using ScriptArguments = std::vector<std::string>;

// Runs the script file with the arguments and returns its standard output,
// less the one line end that ends it (UTF-8; invalid bytes replaced, never a
// crash). On macOS the compiled script runs through /usr/bin/osascript; on
// every other platform the script file itself is executed. A script that is
// missing, cannot be executed, exits non-zero or dies from a signal raises
// ScriptError naming the script and carrying its error output.
std::string ExecuteAppleScript(const std::filesystem::path& script, const ScriptArguments& arguments);

}  // namespace velmora
