#include "tests/support/temp_bundle.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace velmora::testing {

namespace {

std::filesystem::path makeTemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    return pattern;
}

// Single-quoted for sh: the only character that needs care inside is the quote itself.
std::string shellQuoted(std::string_view text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

}  // namespace

TempBundle::TempBundle() : root_(makeTemporaryFolder())
{
    std::filesystem::create_directories(executable().parent_path());
    std::filesystem::create_directories(resources());
    std::ofstream(executable()) << "";
}

TempBundle::~TempBundle()
{
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::filesystem::path TempBundle::executable() const
{
    return root_ / "Test.app" / "Contents" / "MacOS" / "Velmora";
}

std::filesystem::path TempBundle::resources() const
{
    return root_ / "Test.app" / "Contents" / "Resources";
}

void TempBundle::writeScript(std::string_view name, std::string_view body) const
{
    const auto file = resources() / std::string(name);
    // Written under another name and renamed, so that a script being run is never rewritten in place.
    const auto draft = resources() / (std::string(name) + ".draft");
    {
        std::ofstream out(draft, std::ios::binary | std::ios::trunc);
        out << "#!/bin/sh\n" << body << "\n";
    }
    std::filesystem::permissions(draft, std::filesystem::perms::owner_all);
    std::filesystem::rename(draft, file);
}

void TempBundle::writePrintingScript(std::string_view name, std::string_view output) const
{
    writeScript(name, "printf '%s' " + shellQuoted(output));
}

}  // namespace velmora::testing
