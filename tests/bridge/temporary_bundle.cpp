#include "temporary_bundle.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/application.h"

namespace velmora::testing {

namespace {

std::filesystem::path makeTemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-bridge-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("no temporary folder");
    return pattern;
}

platform::Application& application()
{
    platform::Application* registered = platform::Application::registered();
    if (registered == nullptr)
        throw std::logic_error("the tests need an application object");
    return *registered;
}

}  // namespace

TemporaryBundle::TemporaryBundle(std::string_view bundle_name)
    : folder_(makeTemporaryFolder()),
      bundle_(folder_ / bundle_name),
      previous_executable_(application().ExecutableFile())
{
    std::filesystem::create_directories(bundle_ / "Contents" / "MacOS");
    std::filesystem::create_directories(resources());
    enter();
}

TemporaryBundle::~TemporaryBundle()
{
    application().setExecutableFile(previous_executable_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::filesystem::path TemporaryBundle::executable() const
{
    return bundle_ / "Contents" / "MacOS" / "Velmora";
}

std::filesystem::path TemporaryBundle::resources() const
{
    return bundle_ / "Contents" / "Resources";
}

void TemporaryBundle::enter() const
{
    application().setExecutableFile(executable());
}

void TemporaryBundle::writeScript(std::string_view name, std::string_view body, bool executable) const
{
    const std::filesystem::path script = resources() / name;
    writeFile(script, body);
    using std::filesystem::perms;
    std::filesystem::permissions(script, executable ? perms::owner_all : perms::owner_read | perms::owner_write);
}

void TemporaryBundle::copyScript(const std::filesystem::path& source) const
{
    std::filesystem::copy_file(source, resources() / source.filename());
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
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!stream)
        throw std::runtime_error("cannot write " + file.string());
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
