#include "bridge/bundle_script.h"

#include <string>

#include "platform/running_program.h"
#include "platform/errors.h"

namespace velmora {

namespace {

[[noreturn]] void raiseMissing(std::string_view script_name, const std::string& what)
{
    throw NilObjectException("Das Skript »" + std::string(script_name) + "« lässt sich nicht finden: " + what);
}

// The folder that holds `item`. A root or a bare name has none: a path that
// ends there does not lead to a bundle.
bool parentOf(const std::filesystem::path& item, std::filesystem::path& parent)
{
    if (!item.has_relative_path())
        return false;
    parent = item.parent_path();
    return !parent.empty();
}

}  // namespace

std::filesystem::path BundleScript(std::string_view script_name)
{
    const platform::RunningProgram* program = platform::RunningProgram::registered();
    if (program == nullptr)
        raiseMissing(script_name, "Es gibt kein Anwendungsobjekt.");
    const std::filesystem::path executable = program->ExecutableFile();
    if (executable.empty())
        raiseMissing(script_name, "Die Programmdatei ist unbekannt.");
    std::filesystem::path executable_folder;
    if (!parentOf(executable, executable_folder))
        raiseMissing(script_name, "Die Programmdatei »" + executable.string() + "« liegt in keinem Ordner.");
    std::filesystem::path contents_folder;
    if (!parentOf(executable_folder, contents_folder))
        raiseMissing(script_name, "Der Ordner »" + executable_folder.string() + "« liegt in keinem Ordner.");
    return contents_folder / kResourcesFolder / script_name;
}

}  // namespace velmora
