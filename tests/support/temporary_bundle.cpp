#include "tests/support/temporary_bundle.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/running_program.h"

namespace velmora::testing {

namespace fs = std::filesystem;

namespace {

fs::path makeTemporaryFolder()
{
    std::string pattern = (fs::temp_directory_path() / "velmora-test-XXXXXX").string();
    return mkdtemp(pattern.data());
}

}  // namespace

TemporaryBundle::TemporaryBundle(std::string_view bundle_name)
    : folder(makeTemporaryFolder()), resources(folder / bundle_name / "Contents/Resources"),
      macos(folder / bundle_name / "Contents/MacOS"),
      previous_executable(platform::RunningProgram::registered()->ExecutableFile())
{
    fs::create_directories(macos);
    fs::create_directories(resources);
    platform::RunningProgram::registered()->setExecutableFile(macos / "Velmora");
}

TemporaryBundle::~TemporaryBundle()
{
    platform::RunningProgram::registered()->setExecutableFile(previous_executable);
    fs::remove_all(folder);
}

fs::path TemporaryBundle::file(std::string_view name, std::string_view bytes) const
{
    writeFile(folder / name, bytes);
    return folder / name;
}

void TemporaryBundle::writeScript(std::string_view name, std::string_view body, bool executable) const
{
    writeFile(resources / name, body);
    fs::permissions(resources / name, executable ? fs::perms::owner_all : fs::perms::owner_read);
}

void TemporaryBundle::writePrintingScript(std::string_view name, std::string_view output) const
{
    std::string quoted;
    for (char c : output)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    writeScript(name, "#!/bin/sh\nprintf '%s' '" + quoted + "'\n");
}

// Each text is followed by a unit separator, each booking by a record separator.
void TemporaryBundle::recordBookings() const
{
    const std::string log = "'" + bookingLog().string() + "'";
    writeScript("buchungViaTessel.scpt", "#!/bin/sh\nfor text do printf '%s\\037' \"$text\"; done >> " + log
                                             + "\nprintf '\\036' >> " + log + "\n");
}

std::vector<Texts> TemporaryBundle::bookingsRecorded() const
{
    std::vector<Texts> bookings;
    for (const std::string& record : split(fs::exists(bookingLog()) ? readFile(bookingLog()) : "", '\036')) {
        bookings.push_back(split(record, '\037'));
        bookings.back().pop_back();  // what follows the last separator
    }
    bookings.pop_back();  // what follows the last record
    return bookings;
}

std::string readFile(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& file, std::string_view content)
{
    std::ofstream(file, std::ios::binary) << content;
}

Texts split(std::string_view text, char separator)
{
    Texts parts{""};
    for (char c : text)
        c == separator ? void(parts.emplace_back()) : parts.back().push_back(c);
    return parts;
}

}  // namespace velmora::testing
