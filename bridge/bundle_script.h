#pragma once
// Finding a script file in the bundle of the running program: the executable
// lies in Contents/MacOS, the scripts lie in Contents/Resources.
#include <filesystem>
#include <string_view>

namespace velmora {

inline constexpr std::string_view kResourcesFolder = "Resources";

// The script's file in the running program's resources folder, resolved anew at
// every call. Whether the file exists is not checked here: running it says so.
// A missing application object, executable or folder on the way raises
// NilObjectException.
std::filesystem::path BundleScript(std::string_view script_name);

}  // namespace velmora
