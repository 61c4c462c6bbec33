#include "tests/support/temporary_bundle.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/running_program.h"

namespace velmora::testing {

namespace {

std::filesystem::path makeTemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-bridge-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("no temporary folder");
    return pattern;
}

}  // namespace

TemporaryBundle::TemporaryBundle(std::string_view bundle_name)
    : folder(makeTemporaryFolder()),
      resources(folder / bundle_name / "Contents" / "Resources"),
      executable_(folder / bundle_name / "Contents" / "MacOS" / "Velmora"),
      previous_executable_(platform::RunningProgram::registered()->ExecutableFile())
{
    std::filesystem::create_directories(executable_.parent_path());
    std::filesystem::create_directories(resources);
    enter();
}

TemporaryBundle::~TemporaryBundle()
{
    platform::RunningProgram::registered()->setExecutableFile(previous_executable_);
    std::filesystem::remove_all(folder);
}

void TemporaryBundle::enter() const
{
    platform::RunningProgram::registered()->setExecutableFile(executable_);
}

void TemporaryBundle::writeScript(std::string_view name, std::string_view body, bool executable) const
{
    writeFile(resources / name, body);
    using std::filesystem::perms;
    std::filesystem::permissions(resources / name, executable ? perms::owner_all : perms::owner_read);
}

void TemporaryBundle::writePrintingScript(std::string_view name, std::string_view output) const
{
    std::string quoted = "'";
    for (char c : output)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    writeScript(name, "#!/bin/sh\nprintf '%s' " + quoted + "'\n");
}

std::string readFile(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        throw std::runtime_error("cannot read " + file.string());
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& file, std::string_view content)
{
    std::ofstream(file, std::ios::binary) << content;
}

std::vector<std::string> split(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos; start = end + 1)
        parts.emplace_back(text.substr(start, end - start));
    parts.emplace_back(text.substr(start));
    return parts;
}

}  // namespace velmora::testing
